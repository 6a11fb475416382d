#include "Error.h"

#include <new>
#include <stdexcept>

namespace com {

namespace {

std::string composeWhat(int32_t number, const QString& source, const QString& description)
{
    QString text = errorNumberText(number);
    if (!source.isEmpty())
        text += QStringLiteral(" in ") + source;
    if (!description.isEmpty())
        text += QStringLiteral(": ") + description;
    return text.toStdString();
}

Error runtime(int32_t number, const QString& source)
{
    return Error(number, source, Error::runtimeDescription(number));
}

} // namespace

Error::Error(int32_t number, QString source, QString description, int32_t flags)
    : m_number(number)
    , m_source(std::move(source))
    , m_description(std::move(description))
    , m_flags(flags)
    , m_what(composeWhat(m_number, m_source, m_description))
{
}

Error Error::invalidCall(const QString& source) { return runtime(errInvalidCall, source); }
Error Error::overflow(const QString& source) { return runtime(errOverflow, source); }
Error Error::outOfMemory(const QString& source) { return runtime(errOutOfMemory, source); }
Error Error::subscript(const QString& source) { return runtime(errSubscript, source); }
Error Error::typeMismatch(const QString& source) { return runtime(errTypeMismatch, source); }
Error Error::fileNotFound(const QString& source) { return runtime(errFileNotFound, source); }
Error Error::objectNotSet(const QString& source) { return runtime(errObjectNotSet, source); }
Error Error::duplicateKey(const QString& source) { return runtime(errDuplicateKey, source); }

Error Error::cannotCreateObject(const QString& className, const QString& source)
{
    return Error(errCannotCreateObject, source,
                 runtimeDescription(errCannotCreateObject) + QStringLiteral(": ") + className);
}

QString Error::runtimeDescription(int32_t number)
{
    switch (number) {
    case errInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case errOverflow: return QStringLiteral("Overflow");
    case errOutOfMemory: return QStringLiteral("Out of memory");
    case errSubscript: return QStringLiteral("Subscript out of range");
    case errTypeMismatch: return QStringLiteral("Type mismatch");
    case errFileNotFound: return QStringLiteral("File not found");
    case errObjectNotSet: return QStringLiteral("Object variable not set");
    case errCannotCreateObject: return QStringLiteral("Can't create object");
    case errDuplicateKey: return QStringLiteral("This key is already associated with an element of this collection");
    default: return {};
    }
}

Error currentError()
{
    try {
        throw;
    } catch (const Error& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return Error::outOfMemory();
    } catch (const std::out_of_range&) {
        return Error::subscript();
    } catch (const std::overflow_error&) {
        return Error::overflow();
    } catch (const std::exception& other) {
        return Error(errInvalidCall, {}, QString::fromLocal8Bit(other.what()));
    } catch (...) {
        return Error::invalidCall();
    }
}

QString errorNumberText(int32_t number)
{
    return QStringLiteral("0x%1").arg(static_cast<uint32_t>(number), 8, 16, QLatin1Char('0')).toUpper().replace(
        QStringLiteral("0X"), QStringLiteral("0x"));
}

} // namespace com
