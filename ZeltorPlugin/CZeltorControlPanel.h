#pragma once

#include "PlugIn.h"

#include <QString>

#include <memory>

namespace ZeltorPlugin {

inline const QString kControlPanelProgId = QStringLiteral("ZeltorPlugin.CZeltorControlPanel");
inline const QString kControlPanelPageProgId = QStringLiteral("ZeltorPlugin.XZeltorControlPanel");

// The instrument's control panel as the host sees it: a settings object that stores nothing and
// whose dialog is the control panel page (page class "ZeltorPlugin.XZeltorControlPanel"), where
// the user sends the instrument its operator, establishment and serial number and manages the
// parameter views in its slots.
class CZeltorControlPanel final : public Nelvar::ISetup, public std::enable_shared_from_this<CZeltorControlPanel> {
public:
    // ISetup
    bool HasDialog() const override { return true; }
    QString Settings() const override { return {}; }
    void setSettings(const QString&) override {}
    // The page in the plug-in's dialog host form, initialised with this object; none, and no
    // error, when any step fails or this object is not held by a shared pointer.
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override;
    void RegLoad(int32_t, const QString&) override {}
    void RegSave(int32_t, const QString&) override {}

    std::shared_ptr<Nelvar::IDialog> GetSetup() { return CreateDialog(); }
};

} // namespace ZeltorPlugin
