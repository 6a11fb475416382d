#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

namespace com {

// Run-time error numbers of the original runtime that callers dispatch on.
enum RuntimeError : int32_t {
    errInvalidCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscript = 9,
    errTypeMismatch = 13,
    errFileNotFound = 53,
    errObjectNotSet = 91,
    errCannotCreateObject = 429,
    errDuplicateKey = 457,
};

// The one exception type of the system: an error number (32-bit, application errors look like
// 0x8004A469), the source that raised it, a description and the flags it was raised with.
class Error : public std::exception {
public:
    Error(int32_t number, QString source, QString description, int32_t flags = 0);

    int32_t number() const noexcept { return m_number; }
    const QString& source() const noexcept { return m_source; }
    const QString& description() const noexcept { return m_description; }
    int32_t flags() const noexcept { return m_flags; }
    const char* what() const noexcept override { return m_what.c_str(); }

    static Error invalidCall(const QString& source = {});
    static Error overflow(const QString& source = {});
    static Error outOfMemory(const QString& source = {});
    static Error subscript(const QString& source = {});
    static Error typeMismatch(const QString& source = {});
    static Error fileNotFound(const QString& source = {});
    static Error objectNotSet(const QString& source = {});
    static Error cannotCreateObject(const QString& className, const QString& source = {});
    static Error duplicateKey(const QString& source = {});

    // The classic text of a run-time error number; empty for numbers that are not classic.
    static QString runtimeDescription(int32_t number);

private:
    int32_t m_number;
    QString m_source;
    QString m_description;
    int32_t m_flags;
    std::string m_what;
};

// The error that the current exception stands for: a com::Error as it is, a standard exception
// as the classic run-time error it corresponds to. Call only while an exception is being handled.
Error currentError();

// Unsigned hexadecimal form of an error number ("0x8004A469"), for messages and logs.
QString errorNumberText(int32_t number);

} // namespace com
