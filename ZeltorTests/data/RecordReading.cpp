#include "RecordReading.h"

#include "com/Error.h"
#include "format/Format.h"

#include <cmath>
#include <limits>

namespace ZeltorTests::records {

namespace {

// The number of a strictly numeric text; raises 13 otherwise.
double numberOf(const QString& field, const QString& text)
{
    if (!format::isNumeric(text))
        throw com::Error(com::errTypeMismatch, {},
                         QStringLiteral("%1 is \"%2\", not a number").arg(field, shownText(text)));
    return format::leadingNumber(text);
}

[[noreturn]] void raiseOutOfRange(const QString& field, const QString& text)
{
    throw com::Error(com::errOverflow, {}, QStringLiteral("%1 is \"%2\", out of range").arg(field, shownText(text)));
}

// The value as a Single; raises 6 when a Single cannot hold it.
float single(double value, const QString& field, const QString& text)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        raiseOutOfRange(field, text);
    return static_cast<float>(value);
}

// The value rounded halves to even; raises 6 beyond 32 bits.
int32_t whole(double value, const QString& field, const QString& text)
{
    try {
        return format::toInt32(value);
    } catch (const com::Error&) {
        raiseOutOfRange(field, text);
    }
}

} // namespace

QString shownText(const QString& text)
{
    constexpr qsizetype kLongest = 40;
    return text.size() <= kLongest ? text : text.left(kLongest) + QStringLiteral("...");
}

float singleNumber(const QString& field, const QString& text)
{
    return single(numberOf(field, text), field, text);
}

float hundredths(const QString& field, const QString& text, double storedPerBaseUnit)
{
    return single(numberOf(field, text) / (100.0 * storedPerBaseUnit), field, text);
}

int32_t wholeNumber(const QString& field, const QString& text)
{
    return whole(numberOf(field, text), field, text);
}

float leadingSingleNumber(const QString& field, const QString& text)
{
    return single(format::leadingNumber(text), field, text);
}

int32_t leadingWholeNumber(const QString& field, const QString& text)
{
    return whole(format::leadingNumber(text), field, text);
}

void raiseWithin(const QString& record)
{
    const com::Error error = com::currentError();
    const QString description =
        error.description().isEmpty() ? com::errorNumberText(error.number()) : error.description();
    throw com::Error(error.number(), error.source(), record + QStringLiteral(": ") + description, error.flags());
}

} // namespace ZeltorTests::records
