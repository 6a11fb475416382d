#pragma once

#include <QString>

#include <cstdint>
#include <utility>

// Reading the result records (measurements, trends, snapshots and their channels): a number that
// is present but cannot be read raises, naming the field and its text, and every record the
// error passes on its way out puts its own name before the description, so that a damaged file
// is reported with the place of the damage instead of losing what follows it.
namespace ZeltorTests::records {

// The number of a text with "." as decimal point, as a Single: a text that is not a number raises
// type mismatch (13), one beyond the Single range overflow (6), both naming `field` and the text.
float singleNumber(const QString& field, const QString& text);
// The number of a text rounded to a whole number, halves to even: 13 for a text that is not a
// number, 6 for one beyond 32 bits, both naming `field` and the text.
int32_t wholeNumber(const QString& field, const QString& text);

// A number written in hundredths of the base unit ("1234" for 12.34), as a Single: 13 for a text
// that is not a number, 6 for one whose value is beyond the Single range. A record that holds a
// smaller unit, `storedPerBaseUnit` of which make the base unit, is read into the base unit.
float hundredths(const QString& field, const QString& text, double storedPerBaseUnit = 1.0);

// The leading number of a text (sign, digits, one point, an exponent; the rest ignored; no number
// gives 0) rounded to a whole number, halves to even: 6 for one beyond 32 bits, naming `field`.
int32_t leadingWholeNumber(const QString& field, const QString& text);

// A field's text as a message shows it: a long one is cut short.
QString shownText(const QString& text);

// The leading number of a text as a Single (no number gives 0): 6 for one beyond the Single
// range, naming `field`.
float leadingSingleNumber(const QString& field, const QString& text);

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

} // namespace ZeltorTests::records
