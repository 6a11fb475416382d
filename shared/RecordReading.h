#pragma once

#include <QString>
#include <QStringView>

#include <concepts>
#include <cstdint>
#include <utility>

// Reading records (results, configurations, the test template and the host's own): a field that
// is present but cannot be read raises, naming the field and its text, and every record the error
// passes on its way out puts its own name before the description, so that a damaged file is
// reported with the place of the damage instead of losing what follows it.
namespace Zeltor::records {

// The name of a field as a refusal shows it ("Duration", "ID of \"TestElement\""): a text, or a
// function that makes the text, called only when a refusal is raised, so that a reader of many
// fields builds no names on its way. It refers to the text or the function it is given, so it is
// made only as the argument of a call.
class FieldName {
public:
    FieldName(const QString& name) : m_name(&name) {}
    template <std::invocable Make>
    FieldName(const Make& make)
        : m_context(&make),
          m_make([](const void* context) -> QString { return (*static_cast<const Make*>(context))(); })
    {
    }

    QString text() const { return m_name ? *m_name : m_make(m_context); }

private:
    const QString* m_name = nullptr;
    const void* m_context = nullptr;
    QString (*m_make)(const void*) = nullptr;
};

// Raises `number` with the description: the field, " is \"", its text (cut short when long),
// "\", " and `reason` ("Duration is \"1e12\", out of range").
[[noreturn]] void refuse(int32_t number, const FieldName& field, QStringView text, const QString& reason);

// The number of a text with "." as decimal point, as a Single: a text that is not a number raises
// type mismatch (13), one beyond the Single range overflow (6), both naming `field` and the text.
float singleNumber(const FieldName& field, QStringView text);
// The number of a text rounded to a whole number, halves to even: 13 for a text that is not a
// number, 6 for one beyond 32 bits, both naming `field` and the text.
int32_t wholeNumber(const FieldName& field, QStringView text);

// A number written in hundredths of the base unit ("1234" for 12.34), as a Single: 13 for a text
// that is not a number, 6 for one whose value is beyond the Single range. A record that holds a
// smaller unit, `storedPerBaseUnit` of which make the base unit, is read into the base unit.
float hundredths(const FieldName& field, QStringView text, double storedPerBaseUnit = 1.0);

// The leading number of a text (sign, digits, one point, an exponent; the rest ignored; no number
// gives 0) rounded to a whole number, halves to even: 6 for one beyond 32 bits, naming `field`.
int32_t leadingWholeNumber(const FieldName& field, QStringView text);

// The leading number of a text as a Single (no number gives 0): 6 for one beyond the Single
// range, naming `field`.
float leadingSingleNumber(const FieldName& field, QStringView text);

// For a catch block: raises the error being handled on, number, source and flags unchanged, with
// `record` and ": " put before its description.
[[noreturn]] void raiseWithin(const QString& record);

// Runs `read`; whatever it raises goes on through raiseWithin(record).
template <typename Read>
void readingRecord(const QString& record, Read&& read)
{
    try {
        std::forward<Read>(read)();
    } catch (...) {
        raiseWithin(record);
    }
}

} // namespace Zeltor::records
