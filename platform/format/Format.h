#pragma once

#include "com/Value.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <cstdint>

// The number and text rules of the original runtime, in one place. Nothing in the system uses
// qRound, std::round or QString::number defaults where one of these rules applies.
namespace format {

// Whole-number conversion: rounds halves to even and raises overflow (6) outside the target
// range (NaN included).
int32_t toInt32(double value);
int16_t toInt16(double value);
uint8_t toByte(double value);

// The general text form of a floating value with "." as decimal point whatever the locale, no
// digit grouping, no leading blank, and no digit before the point for magnitudes below 1
// (".5", "-.25"). A Single shows at most 7 significant digits, a Double at most 15; very large
// and very small magnitudes switch to exponent notation ("1E+16", "1E-05").
QString generalText(float value);
QString generalText(double value);

// The text under which a value is written into a record: numbers as the shortest text with "."
// that reads back to exactly the same value (a Single survives ValueToText and back unchanged),
// Booleans as "True"/"False", texts unchanged, Empty and Null as the empty text.
QString valueToText(const com::Value& value);

// The leading-number parse: optional blanks, a sign, digits, at most one ".", and an optional
// exponent ("E" or "D", sign, digits); whatever follows is ignored; no number at all gives 0.
double leadingNumber(const QString& text);

// The strict numeric test: the whole text (blanks around it allowed) is one number in the
// form above.
bool isNumeric(const QString& text);

// Fixed formats: "0" a digit always shown, "#" a digit shown only when significant, "." the
// decimal point (written as `decimalSeparator`), a blank or "," between digit places groups the
// whole part by thousands with that character (a blank in "# ##0", the locale's group separator
// for ","). Rounding is half away from zero on the value as first rounded to 15 significant
// digits, as the original runtime's Format does ("0.00" of 1.005 gives "1.01").
QString formatNumber(double value, const QString& pattern, QChar decimalSeparator = QLatin1Char('.'));

// The user's decimal separator, for the few texts shown in the user's number format.
QChar localeDecimalSeparator();

// The ANSI code page of the instrument (Windows-1252): one byte per character. Characters that
// the code page cannot hold become "?".
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
QChar fromAnsi(char byte);

} // namespace format
