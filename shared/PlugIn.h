#pragma once

#include "com/Object.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

// The host's view of a plug-in: the plug-in object it loads by its registered class, and the
// global settings object the plug-in hands out.
namespace Nelvar {

class IDialog;
class ITestElement;
class ITests;

// A plug-in's settings as the host keeps them: the host asks the object to load itself from and
// store itself in the registry.
class ISetup : public virtual com::Object {
public:
    virtual bool HasDialog() const = 0;
    virtual QString Settings() const = 0;
    virtual void setSettings(const QString& sSetup) = 0;
    // The settings page in its dialog host form, filled from the stored settings; none when
    // the page cannot be made. Its edits change this object at once; RegSave stores them.
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual void RegLoad(int32_t hKey, const QString& sRegKey) = 0;
    virtual void RegSave(int32_t hKey, const QString& sRegKey) = 0;
};

// The sizes a plug-in draws its icons in.
enum EIconSize : int32_t {
    eisSize16x16 = 0,
    eisSize32x16 = 1,
    eisSize32x32 = 2,
};

// The object through which the host enters a plug-in. Identity members answer at any time;
// Tests and CreateTest only once Initialize has succeeded.
class IPlugIn : public virtual com::Object {
public:
    virtual QString ID() const = 0;
    // The picture of the plug-in (test identifier 0) or of one of its tests; a null image where
    // the plug-in has none for that test and size.
    virtual QImage Icon(int32_t lTestID, int32_t eisSize, int32_t eicColors) const = 0;
    virtual QString Name() const = 0;
    virtual int32_t Flags() const = 0;
    // None before Initialize.
    virtual std::shared_ptr<ISetup> Setup() const = 0;
    // A new control panel of the plug-in's instrument on every call: an ISetup that stores
    // nothing and whose dialog is the panel's page.
    virtual std::shared_ptr<ISetup> ControlPanel() const = 0;
    // The catalogue of the plug-in's tests, the prototypes the host's new tests are made from.
    virtual std::shared_ptr<ITests> Tests() const = 0;
    // "major.minor.revision".
    virtual QString Version() const = 0;
    virtual std::shared_ptr<com::Object> PlugInMenu() const = 0;
    // `iprLog` is the host's start-up log.
    virtual void Initialize(const std::shared_ptr<com::Object>& iprLog) = 0;
    // A new test element of that test identifier with its default settings; the caller owns it.
    virtual std::shared_ptr<ITestElement> CreateTest(int32_t lTestID) = 0;
    virtual std::shared_ptr<com::Object> CreateDUTData() = 0;
};

} // namespace Nelvar
