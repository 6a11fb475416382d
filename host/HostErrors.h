#pragma once

#include "Registry.h"

#include <QString>

#include <cstdint>

// The error numbers the stand-in host raises besides the classic run-time numbers of
// com::RuntimeError. Callers tell the registry's numbers apart: a missing value is answered
// with a default or skipped, while the others (no key, unreadable file) are passed on.
namespace host::errors {

// Classic run-time number for a file that exists but cannot be read or written.
inline constexpr int32_t kPathFileAccess = 75;

// XML records: the file or text is not well-formed XML (pugixml's reason and offset follow).
inline constexpr int32_t kXmlMalformed = static_cast<int32_t>(0x8004A101);

// Translation tables: a line of a language file is not "key<TAB>text".
inline constexpr int32_t kLanguageFileMalformed = static_cast<int32_t>(0x8004A120);

// Registry: no key is open (or the key to open is not valid: unknown hive, empty path).
inline constexpr int32_t kRegistryKeyNotOpen = Nelvar::kRegistryErrKeyNotOpen;
// Registry: the registry file cannot be read or written, or is not a valid registry file.
inline constexpr int32_t kRegistryFileError = Nelvar::kRegistryErrFile;
// Registry: the open key holds no value of that name.
inline constexpr int32_t kRegistryValueNotFound = Nelvar::kRegistryErrValueNotFound;

// The host's text for one of the numbers above (or a classic run-time number); empty otherwise.
QString description(int32_t number);

// Raises `number` from `source`, with its description followed by ": " and `detail`.
[[noreturn]] void raise(int32_t number, const QString& source, const QString& detail = {});

} // namespace host::errors
