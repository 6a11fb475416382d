#pragma once

#include "Xml.h"

#include <memory>

// A document that cannot make elements, for the savers' "no element created" paths.
class DocumentWithoutElements final : public Nelvar::IXmlDocument {
public:
    std::shared_ptr<Nelvar::IXmlElement> CreateElement(const QString&) override { return nullptr; }
    std::shared_ptr<Nelvar::IXmlElement> DocumentElement() const override { return nullptr; }
    void setDocumentElement(const std::shared_ptr<Nelvar::IXmlElement>&) override {}
    QString Xml() const override { return {}; }
    void LoadXml(const QString&) override {}
};
