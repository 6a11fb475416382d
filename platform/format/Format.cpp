#include "Format.h"

#include "com/Error.h"
#include "com/Failure.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace format {

namespace {

// ---- whole numbers ------------------------------------------------------------------------

template <typename Int>
Int roundedToRange(double value)
{
    // Halves to even under the default rounding mode, which the system never changes.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min())
          && rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        throw com::Error::overflow(); // NaN fails both comparisons
    return static_cast<Int>(rounded);
}

// ---- number texts ---------------------------------------------------------------------------

constexpr size_t numberBufferSize = 64; // enough for any shortest or general form of a double

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
}

// std::to_chars writes "e"; the system's texts use "E".
QString withUpperExponent(const char* begin, const char* end)
{
    QString text = QString::fromLatin1(begin, end - begin);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

template <typename Real>
QString generalTextOf(Real value, int significantDigits)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0"); // negative zero included
    std::array<char, numberBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significantDigits);
    QString text = withUpperExponent(buffer.data(), result.ptr);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

template <typename Real>
QString shortestText(Real value)
{
    std::array<char, numberBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return withUpperExponent(buffer.data(), result.ptr);
}

QString singleRecordText(float value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    // Records are read back as a double and then narrowed; for a handful of Singles the shortest
    // float text rounds twice on that road and lands on the neighbour. The shortest text of the
    // widened double always reads back exactly.
    const QString text = shortestText(value);
    if (static_cast<float>(leadingNumber(text)) == value)
        return text;
    return shortestText(static_cast<double>(value));
}

QString doubleRecordText(double value)
{
    return std::isfinite(value) ? shortestText(value) : nonFiniteText(value);
}

// ---- the leading-number parse ---------------------------------------------------------------

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype skipBlanks(QStringView text, qsizetype position)
{
    while (position < text.size() && isBlank(text[position]))
        ++position;
    return position;
}

qsizetype skipDigits(QStringView text, qsizetype position)
{
    while (position < text.size() && isDigit(text[position]))
        ++position;
    return position;
}

// The number at the start of `text` (no blanks before it): its length, 0 when no digit is found.
// An exponent letter counts only when at least one digit follows it (after its optional sign).
qsizetype numberLength(QStringView text)
{
    qsizetype position = 0;
    if (position < text.size() && (text[position] == QLatin1Char('+') || text[position] == QLatin1Char('-')))
        ++position;
    const qsizetype wholeStart = position;
    position = skipDigits(text, position);
    bool hasDigits = position > wholeStart;
    if (position < text.size() && text[position] == QLatin1Char('.')) {
        const qsizetype fractionStart = position + 1;
        position = skipDigits(text, fractionStart);
        hasDigits = hasDigits || position > fractionStart;
    }
    if (!hasDigits)
        return 0;
    if (position < text.size() && QStringLiteral("EeDd").contains(text[position])) {
        qsizetype exponent = position + 1;
        if (exponent < text.size() && (text[exponent] == QLatin1Char('+') || text[exponent] == QLatin1Char('-')))
            ++exponent;
        const qsizetype exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            position = exponentEnd;
    }
    return position;
}

// A number text beyond double range: true when its magnitude is too large, false when too small.
// Only the power of ten of its first significant digit matters, so a saturated estimate of it
// decides (overflow needs a power above 300, underflow one below -300).
bool isBeyondLargest(const std::string& number)
{
    constexpr long long saturation = 1'000'000'000;
    const size_t exponentMark = std::min(number.find('e'), number.size());
    long long place = -1; // the power of ten of the first significant digit
    bool seenPoint = false;
    bool seenSignificant = false;
    for (size_t i = 0; i < exponentMark; ++i) {
        const char c = number[i];
        seenPoint = seenPoint || c == '.';
        seenSignificant = seenSignificant || (c >= '1' && c <= '9');
        if (c >= '0' && c <= '9' && seenSignificant != seenPoint)
            place = seenPoint ? std::max(place - 1, -saturation) : std::min(place + 1, saturation);
    }
    long long exponent = 0;
    for (size_t i = exponentMark; i < number.size(); ++i)
        if (number[i] >= '0' && number[i] <= '9')
            exponent = std::min(exponent * 10 + (number[i] - '0'), saturation);
    if (number.find("e-") != std::string::npos)
        exponent = -exponent;
    return place + exponent > 0;
}

double parseNumber(QStringView number)
{
    // std::from_chars reads neither "+" nor a "D" exponent, and it never looks at the locale.
    std::string ascii;
    ascii.reserve(static_cast<size_t>(number.size()));
    for (const QChar c : number) {
        const char a = static_cast<char>(c.unicode());
        ascii.push_back(a == 'E' || a == 'D' || a == 'd' ? 'e' : a);
    }
    const bool negative = !ascii.empty() && ascii.front() == '-';
    const size_t start = !ascii.empty() && (ascii.front() == '+' || ascii.front() == '-') ? 1 : 0;
    double magnitude = 0;
    const auto result = std::from_chars(ascii.data() + start, ascii.data() + ascii.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = isBeyondLargest(ascii) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

// The number that makes up the whole text, blanks around it allowed; empty when the text is not
// one number.
QStringView wholeTextNumber(QStringView text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text.mid(start));
    if (skipBlanks(text, start + length) != text.size())
        return {};
    return text.mid(start, length);
}

// ---- fixed formats --------------------------------------------------------------------------

struct FixedPattern {
    int minWholeDigits = 0;
    int minFractionDigits = 0;
    int maxFractionDigits = 0;
    QChar groupSeparator; // null: no grouping
    bool hasPoint = false;
};

FixedPattern parsePattern(const QString& pattern)
{
    FixedPattern parsed;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('.') && !parsed.hasPoint) {
            parsed.hasPoint = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!parsed.hasPoint)
                parsed.minWholeDigits += c == QLatin1Char('0') ? 1 : 0;
            else if (c == QLatin1Char('0') && parsed.maxFractionDigits == parsed.minFractionDigits)
                parsed.minFractionDigits = ++parsed.maxFractionDigits;
            else
                ++parsed.maxFractionDigits;
        } else if ((c == QLatin1Char(' ') || c == QLatin1Char(',')) && !parsed.hasPoint) {
            if (parsed.groupSeparator.isNull())
                parsed.groupSeparator = c;
        } else {
            throw com::Error::invalidCall();
        }
    }
    return parsed;
}

// A decimal digit string: digits[i] stands for 10^(leadingPlace - i).
struct DecimalDigits {
    std::string digits;
    int leadingPlace = 0;
};

DecimalDigits fifteenSignificantDigits(double magnitude)
{
    std::array<char, numberBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data())); // d.ddde±xx
    const size_t exponent = text.find('e');
    DecimalDigits decimal;
    decimal.digits = std::string(text.substr(0, 1)).append(text.substr(2, exponent - 2));
    const size_t exponentDigits = exponent + (text[exponent + 1] == '+' ? 2 : 1);
    std::from_chars(text.data() + exponentDigits, text.data() + text.size(), decimal.leadingPlace);
    return decimal;
}

// Keeps the digits down to 10^-fractionDigits, rounding half away from zero.
void roundToPlaces(DecimalDigits& decimal, int fractionDigits)
{
    const long long kept = static_cast<long long>(decimal.leadingPlace) + 1 + fractionDigits;
    if (kept >= static_cast<long long>(decimal.digits.size()))
        return;
    if (kept < 0) {
        decimal.digits.clear();
        return;
    }
    const bool roundUp = decimal.digits[static_cast<size_t>(kept)] >= '5';
    decimal.digits.resize(static_cast<size_t>(kept));
    if (!roundUp)
        return;
    size_t position = decimal.digits.size();
    while (position > 0 && decimal.digits[position - 1] == '9')
        decimal.digits[--position] = '0';
    if (position > 0) {
        ++decimal.digits[position - 1];
    } else {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.leadingPlace;
    }
}

// |value| as in Format: the whole part without leading zeros (empty below 1) and exactly
// `fractionDigits` fraction digits.
std::pair<std::string, std::string> roundedDigits(double value, int fractionDigits)
{
    DecimalDigits decimal = fifteenSignificantDigits(std::fabs(value));
    roundToPlaces(decimal, fractionDigits);
    std::string whole;
    std::string fraction(static_cast<size_t>(fractionDigits), '0');
    long long place = decimal.leadingPlace;
    for (const char digit : decimal.digits) {
        if (place >= 0)
            whole.push_back(digit);
        else
            fraction[static_cast<size_t>(-place - 1)] = digit;
        --place;
    }
    if (place >= 0 && !whole.empty())
        whole.append(static_cast<size_t>(place + 1), '0');
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    return {whole, fraction};
}

QString groupedWhole(const std::string& whole, QChar separator)
{
    QString text;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (!separator.isNull() && i > 0 && (whole.size() - i) % 3 == 0)
            text += separator;
        text += QLatin1Char(whole[i]);
    }
    return text;
}

// ---- Windows-1252 ---------------------------------------------------------------------------

// Characters of the bytes 0x80 to 0x9F; the five bytes the code page leaves undefined stand for
// the control characters of the same number.
constexpr std::array<char16_t, 32> highControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr char16_t highControlFirst = 0x80;
constexpr char16_t highControlEnd = 0xA0;

char ansiByte(char16_t c)
{
    if (c < highControlFirst || (c >= highControlEnd && c <= 0xFF))
        return static_cast<char>(c);
    const auto found = std::find(highControlRange.begin(), highControlRange.end(), c);
    if (found == highControlRange.end())
        return '?';
    return static_cast<char>(highControlFirst + (found - highControlRange.begin()));
}

} // namespace

int32_t toInt32(double value) { return roundedToRange<int32_t>(value); }
int16_t toInt16(double value) { return roundedToRange<int16_t>(value); }
uint8_t toByte(double value) { return roundedToRange<uint8_t>(value); }

float roundToDigits(float value, int32_t digits)
{
    float rounded = 0.0f;
    com::ignoreFailure([&] {
        const double factor = toInt32(std::pow(10.0, digits));
        rounded = static_cast<float>(toInt32(static_cast<double>(value) * factor) / factor);
    });
    return rounded;
}

QString generalText(float value) { return generalTextOf(value, 7); }
QString generalText(double value) { return generalTextOf(value, 15); }

QString valueToText(const com::Value& value)
{
    using Type = com::Value::Type;
    const auto& storage = value.storage();
    switch (value.type()) {
    case Type::Empty:
    case Type::Null: return {};
    case Type::Boolean: return std::get<bool>(storage) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Integer: return QString::number(std::get<int16_t>(storage));
    case Type::Long: return QString::number(std::get<int32_t>(storage));
    case Type::Single: return singleRecordText(std::get<float>(storage));
    case Type::Double: return doubleRecordText(std::get<double>(storage));
    case Type::String: return std::get<QString>(storage);
    case Type::Object:
    case Type::Array: break;
    }
    throw com::Error::typeMismatch();
}

double leadingNumber(QStringView text)
{
    const QStringView rest = text.mid(skipBlanks(text, 0));
    return parseNumber(rest.first(numberLength(rest)));
}

bool isNumeric(QStringView text)
{
    return !wholeTextNumber(text).isEmpty();
}

std::optional<double> strictNumber(QStringView text)
{
    const QStringView number = wholeTextNumber(text);
    if (number.isEmpty())
        return std::nullopt;
    return parseNumber(number);
}

QString formatNumber(double value, const QString& pattern, QChar decimalSeparator)
{
    const FixedPattern parsed = parsePattern(pattern);
    if (!std::isfinite(value))
        return nonFiniteText(value);
    auto [whole, fraction] = roundedDigits(value, parsed.maxFractionDigits);
    const bool isZero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    if (whole.size() < static_cast<size_t>(parsed.minWholeDigits))
        whole.insert(0, static_cast<size_t>(parsed.minWholeDigits) - whole.size(), '0');
    const size_t lastShown = fraction.find_last_not_of('0');
    fraction.resize(std::max(static_cast<size_t>(parsed.minFractionDigits),
                             lastShown == std::string::npos ? 0 : lastShown + 1));

    QString text = value < 0 && !isZero ? QStringLiteral("-") : QString();
    text += groupedWhole(whole, parsed.groupSeparator);
    if (!fraction.empty())
        text += decimalSeparator + QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    return text;
}

QChar localeDecimalSeparator()
{
    // The default locale is the user's, unless the program chose another one.
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QByteArray toAnsi(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes.append('?'); // one character beyond the code page, one "?"
            ++i;
        } else {
            bytes.append(ansiByte(c.unicode()));
        }
    }
    return bytes;
}

QString fromAnsi(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text += fromAnsi(byte);
    return text;
}

QChar fromAnsi(char byte)
{
    const auto code = static_cast<unsigned char>(byte);
    if (code >= highControlFirst && code < highControlEnd)
        return QChar(highControlRange[code - highControlFirst]);
    return QChar(static_cast<char16_t>(code));
}

} // namespace format
