#pragma once

#include "HostFixture.h"

#include "PlugIn.h"

#include <QTemporaryDir>

#include <memory>

// The stand-in host with the plug-in's and the test elements' libraries registered in its
// registry, and a plug-in object created by its registered class.
class PlugInFixture : public HostFixture {
protected:
    void SetUp() override;

    // Makes the file the plug-in's template through the registry value "Configuration".
    static void setTemplatePath(const QString& path);
    // Writes a template file and makes it the plug-in's template.
    void useTemplate(const QString& templateData);
    // The catalogue's test identifiers in order.
    std::vector<int32_t> catalogue() const;

    std::shared_ptr<Nelvar::IPlugIn> plugIn;
    QTemporaryDir files;
};
