#include "RecordReading.h"

#include "com/Error.h"
#include "format/Format.h"

#include <cmath>
#include <limits>

namespace Zeltor::records {

namespace {

// A field's text as a refusal shows it: a long one is cut short.
QString shownText(QStringView text)
{
    constexpr qsizetype kLongest = 40;
    return text.size() <= kLongest ? text.toString() : text.left(kLongest).toString() + QStringLiteral("...");
}

// The number of a strictly numeric text; raises 13 otherwise.
double numberOf(const FieldName& field, QStringView text)
{
    if (const std::optional<double> number = format::strictNumber(text))
        return *number;
    refuse(com::errTypeMismatch, field, text, QStringLiteral("not a number"));
}

[[noreturn]] void refuseOutOfRange(const FieldName& field, QStringView text)
{
    refuse(com::errOverflow, field, text, QStringLiteral("out of range"));
}

// The value as a Single; raises 6 when a Single cannot hold it.
float single(double value, const FieldName& field, QStringView text)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        refuseOutOfRange(field, text);
    return static_cast<float>(value);
}

// The value rounded halves to even; raises 6 beyond 32 bits.
int32_t whole(double value, const FieldName& field, QStringView text)
{
    try {
        return format::toInt32(value);
    } catch (const com::Error&) {
        refuseOutOfRange(field, text);
    }
}

} // namespace

void refuse(int32_t number, const FieldName& field, QStringView text, const QString& reason)
{
    throw com::Error(number, {}, QStringLiteral("%1 is \"%2\", %3").arg(field.text(), shownText(text), reason));
}

float singleNumber(const FieldName& field, QStringView text)
{
    return single(numberOf(field, text), field, text);
}

float hundredths(const FieldName& field, QStringView text, double storedPerBaseUnit)
{
    return single(numberOf(field, text) / (100.0 * storedPerBaseUnit), field, text);
}

int32_t wholeNumber(const FieldName& field, QStringView text)
{
    return whole(numberOf(field, text), field, text);
}

float leadingSingleNumber(const FieldName& field, QStringView text)
{
    return single(format::leadingNumber(text), field, text);
}

int32_t leadingWholeNumber(const FieldName& field, QStringView text)
{
    return whole(format::leadingNumber(text), field, text);
}

void raiseWithin(const QString& record)
{
    const com::Error error = com::currentError();
    const QString description
        = error.description().isEmpty() ? com::errorNumberText(error.number()) : error.description();
    throw com::Error(error.number(), error.source(), record + QStringLiteral(": ") + description, error.flags());
}

} // namespace Zeltor::records
