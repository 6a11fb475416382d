#pragma once

#include "PlugIn.h"

#include <QString>

#include <memory>

namespace Nelvar {
class ITestCollection;
}

namespace ZeltorPlugin {

class CZeltorSetup;

inline const QString kPlugInProgId = QStringLiteral("ZeltorPlugin.CZeltorPlugin");
inline const QString kPlugInClassId = QStringLiteral("{E4F4FEB1-67FB-11D4-9CBA-0050DA3393E0}");

// The object through which the host enters the system. Initialize loads the global settings and
// builds the catalogue of tests from the test template file; CreateTest makes a new test from
// the catalogue's prototype of a test identifier.
class CZeltorPlugin final : public Nelvar::IPlugIn {
public:
    CZeltorPlugin() = default;
    CZeltorPlugin(const CZeltorPlugin&) = delete;
    CZeltorPlugin& operator=(const CZeltorPlugin&) = delete;
    // Clears and releases the catalogue.
    ~CZeltorPlugin() override;

    // "Zeltor", the product key of the whole system.
    QString ID() const override;
    // `eicColors` is not used; any failure gives no picture.
    QImage Icon(int32_t lTestID, int32_t eisSize, int32_t eicColors) const override;
    // The translated display name; empty when it cannot be translated.
    QString Name() const override;
    int32_t Flags() const override { return 0; }
    std::shared_ptr<Nelvar::ISetup> Setup() const override;
    // A new CZeltorControlPanel on every call.
    std::shared_ptr<Nelvar::ISetup> ControlPanel() const override;
    // The catalogue itself. Raises eePlugInNotInitialized until Initialize has succeeded.
    std::shared_ptr<Nelvar::ITests> Tests() const override;
    QString Version() const override;
    // The plug-in has no menu.
    std::shared_ptr<com::Object> PlugInMenu() const override { return nullptr; }
    // Makes and loads a new settings object, which stays even when the rest fails, then reads
    // the template into a new catalogue, which replaces the previous one. The template's own
    // errors (not found, invalid, file fault) pass on unchanged, any other is wrapped with the
    // plug-in's source; the previous catalogue and state stay then. `iprLog` is not used.
    void Initialize(const std::shared_ptr<com::Object>& iprLog) override;
    // A clone of the prototype of that test identifier, its configuration reset to the defaults.
    // Raises eePlugInNotInitialized until Initialize has succeeded and eeTestNotFound for a test
    // identifier the catalogue lacks; any other failure (a prototype that gives no clone, a
    // configuration without the defaults) is wrapped with the plug-in's source.
    std::shared_ptr<Nelvar::ITestElement> CreateTest(int32_t lTestID) override;
    std::shared_ptr<com::Object> CreateDUTData() override { return nullptr; }

private:
    void releaseTests();

    std::shared_ptr<Nelvar::ITestCollection> m_tests;
    bool m_initialized = false;
    std::shared_ptr<CZeltorSetup> m_setup;
};

} // namespace ZeltorPlugin
