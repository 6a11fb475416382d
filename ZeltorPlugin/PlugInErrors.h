#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

namespace ZeltorPlugin {

// The sources the plug-in's errors carry.
inline const QString kPlugInSource = QStringLiteral("DravikZeltor.CZeltorPlugIn");
inline const QString kSetupSource = QStringLiteral("DravikZeltor.CZeltorSetup");

// Application error numbers of the plug-in object and its test catalogue.
enum EPlugInError : int32_t {
    eePlugInNotInitialized = static_cast<int32_t>(0x8004A229),
    eeTemplateNotFound = static_cast<int32_t>(0x8004A22A),
    eeTemplateInvalid = static_cast<int32_t>(0x8004A22C),
    eeTestNotFound = static_cast<int32_t>(0x8004A233),
    eeTemplateFileError = static_cast<int32_t>(0x8004A28F),
};

// Raises eeTemplateInvalid with a description that names the template file and what is wrong
// with it, so that the user learns which file to mend and where.
[[noreturn]] void raiseTemplateInvalid(const QString& templatePath, const QString& reason);
// Raises eeTemplateFileError with `reason` (which names the file) after the error's own text.
[[noreturn]] void raiseTemplateUnreadable(const QString& reason);

// For a catch block: passes an error whose number is listed on unchanged and wraps every other
// error with `source` through the host's error service. Call only while an exception is being
// handled.
[[noreturn]] void passListedOrWrap(std::initializer_list<int32_t> passedNumbers, const QString& source);

} // namespace ZeltorPlugin
