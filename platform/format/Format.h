#pragma once

#include "com/Value.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number and text rules of the original runtime, in one place. Nothing in the system uses
// qRound, std::round or QString::number defaults where one of these rules applies.
namespace format {

// Whole-number conversion: rounds halves to even (2.5 gives 2, 3.5 gives 4, -0.5 gives 0) and
// raises overflow (6) when the rounded value is outside the target range, NaN included.
int32_t toInt32(double value);
int16_t toInt16(double value);
uint8_t toByte(double value);

// The value rounded to `digits` decimals, halves to the even neighbour ((0.125, 2) gives 0.12),
// as a Single. A value whose scaled form leaves the 32-bit range gives 0.
float roundToDigits(float value, int32_t digits);

// The general text form of a floating value with "." as decimal point whatever the locale, no
// digit grouping, no leading blank, and no digit before the point for magnitudes below 1
// (".5", "-.25"). A Single shows at most 7 significant digits, a Double at most 15, trailing
// zeros removed; zero (negative zero too) is "0". With the value rounded to those digits and
// written d.ddd times 10^e, exponent notation is used when e >= 7 (Single) or e >= 15 (Double),
// or when e < -4: "1E+16", "1.5E-05" (the mantissa follows the same point rule, at least two
// exponent digits). NaN and infinities give "NaN", "Inf" and "-Inf".
QString generalText(float value);
QString generalText(double value);

// The text under which a value is written into a record: numbers as the shortest text with "."
// that reads back through leadingNumber to exactly the same value in its own type (a Single read
// back and narrowed to float is unchanged, negative zero included, which is written "-0"). Unlike
// generalText a leading zero is kept ("0.5") and no digits are dropped; large and small
// magnitudes may use an exponent ("1E+20"). Whole numbers in decimal, Booleans as "True"/"False",
// texts unchanged, Empty and Null as the empty text; an object or an array raises type mismatch
// (13). NaN and infinities give "NaN", "Inf" and "-Inf", which read back as 0.
QString valueToText(const com::Value& value);

// The leading-number parse, whatever the locale: optional blanks (space, tab, CR, LF), a sign,
// digits with at most one "." (".5" and "5." count), and an optional exponent (E, e, D or d, a
// sign, digits; taken only when a digit follows, so "1e" gives 1); whatever follows is ignored;
// no digit at all gives 0. A magnitude beyond double range gives an infinity of its sign, one
// below the smallest double gives 0.
double leadingNumber(QStringView text);

// The strict numeric test: the whole text (blanks around it allowed) is one number in the
// form above; the empty text is not numeric.
bool isNumeric(QStringView text);
// The number of a text that passes the strict numeric test, read as leadingNumber reads it; none
// for any other text.
std::optional<double> strictNumber(QStringView text);

// Fixed formats: "0" a digit always shown, "#" a digit shown only when significant, "." the
// decimal point (written as `decimalSeparator`; left out when no fraction digit is shown), a
// blank or "," in the whole part groups it by thousands with that same character ("# ##0" of
// 1234567 gives "1 234 567", "#,##0" gives "1,234,567"). Rounding is half away from zero on the
// value as first rounded to 15 significant digits ("0.00" of 1.005 gives "1.01", "0" of -2.5
// gives "-3"); a value that rounds to zero has no minus sign. Any other pattern character raises
// invalid call (5). NaN and infinities give "NaN", "Inf" and "-Inf".
QString formatNumber(double value, const QString& pattern, QChar decimalSeparator = QLatin1Char('.'));

// The user's decimal separator (of the default locale), for the few texts shown in the user's
// number format.
QChar localeDecimalSeparator();

// The ANSI code page of the instrument (Windows-1252): one byte per character, both ways. The
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, so every byte survives fromAnsi and back. Characters that the
// code page cannot hold become "?" (one per character, also beyond U+FFFF).
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
QChar fromAnsi(char byte);

} // namespace format
