#include "format/Format.h"

#include "com/Error.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The error number that `call` raises, or none.
std::optional<int32_t> raisedNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const com::Error& error) {
        return error.number();
    }
    return std::nullopt;
}

// ---- whole numbers ------------------------------------------------------------------------------

TEST(FormatWholeNumbers, RoundHalvesToEven)
{
    const struct {
        double value;
        int32_t expected;
    } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {0.0, 0}, {-0.0, 0},
        {2147483647.4, 2147483647}, {-2147483648.5, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::toInt32(c.value), c.expected) << "value " << c.value;

    EXPECT_EQ(format::toInt16(32766.5), 32766);
    EXPECT_EQ(format::toInt16(-32768.5), -32768);
    EXPECT_EQ(format::toByte(254.5), 254);
    EXPECT_EQ(format::toByte(255.4), 255);
    EXPECT_EQ(format::toByte(-0.5), 0);
}

TEST(FormatWholeNumbers, OutsideRangeRaisesOverflow)
{
    const struct {
        const char* name;
        std::function<void()> call;
    } cases[] = {
        {"Long 2147483647.5", [] { format::toInt32(2147483647.5); }},
        {"Long -2147483649.5", [] { format::toInt32(-2147483649.5); }},
        {"Long NaN", [] { format::toInt32(nan); }},
        {"Long Inf", [] { format::toInt32(inf); }},
        {"Long -Inf", [] { format::toInt32(-inf); }},
        {"Integer 32767.5", [] { format::toInt16(32767.5); }},
        {"Integer -32769", [] { format::toInt16(-32769); }},
        {"Integer NaN", [] { format::toInt16(nan); }},
        {"Byte 255.5", [] { format::toByte(255.5); }},
        {"Byte -0.6", [] { format::toByte(-0.6); }},
        {"Byte NaN", [] { format::toByte(nan); }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(raisedNumber(c.call), com::errOverflow) << c.name;
}

TEST(FormatWholeNumbers, RoundToDigitsRoundsHalvesToEven)
{
    const struct {
        float value;
        int32_t digits;
        float expected;
    } cases[] = {
        {0.125f, 2, 0.12f}, {7.5f, 0, 8.0f}, {6.5f, 0, 6.0f}, {12.344f, 2, 12.34f},
        {-0.505f, 2, -0.5f}, {1234.5678f, 1, 1234.6f}, {3e9f, 0, 0.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::roundToDigits(c.value, c.digits), c.expected) << c.value << ", " << c.digits;
}

// ---- general text -------------------------------------------------------------------------------

TEST(FormatGeneralText, DoubleTable)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {0.5, ".5"}, {-0.25, "-.25"}, {1.5, "1.5"}, {100, "100"}, {0, "0"}, {-0.0, "0"}, {-1, "-1"},
        {0.1 + 0.2, ".3"}, {1.0 / 3, ".333333333333333"}, {2.0 / 3, ".666666666666667"},
        {123456789012345, "123456789012345"}, {1e15, "1E+15"}, {1e16, "1E+16"},
        {1234567890123456789.0, "1.23456789012346E+18"}, {-1e300, "-1E+300"},
        {0.0001, ".0001"}, {0.00012345, ".00012345"}, {1.5e-5, "1.5E-05"}, {-2.5e-5, "-2.5E-05"},
        {1e-300, "1E-300"}, {99999.9999999999999, "100000"},
        {nan, "NaN"}, {inf, "Inf"}, {-inf, "-Inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::generalText(c.value), QString::fromLatin1(c.expected)) << "value " << c.value;
}

TEST(FormatGeneralText, SingleShowsSevenDigits)
{
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {0.1f, ".1"}, {0.5f, ".5"}, {-0.25f, "-.25"}, {1.0f / 3, ".3333333"}, {1234567.0f, "1234567"},
        {16777216.0f, "1.677722E+07"}, {3.4028235e38f, "3.402823E+38"}, {1.5e-5f, "1.5E-05"},
        {21.7f, "21.7"}, {-0.0f, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::generalText(c.value), QString::fromLatin1(c.expected)) << "value " << c.value;
}

// The instrument reads "." whatever the user's locale: a half is sent as ".5" in German too.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCLocale = std::setlocale(LC_NUMERIC, nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override
    {
        std::setlocale(LC_NUMERIC, m_savedCLocale.c_str());
        QLocale::setDefault(QLocale::c());
    }

    static bool switchCLocaleToGerman()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_NUMERIC, name) != nullptr)
                return true;
        return false;
    }

    static void expectPointTexts()
    {
        EXPECT_EQ(format::generalText(0.5), QStringLiteral(".5"));
        EXPECT_EQ(format::generalText(0.5f), QStringLiteral(".5"));
        EXPECT_EQ(format::generalText(-1234.25), QStringLiteral("-1234.25"));
        EXPECT_EQ(format::valueToText(com::Value(0.5f)), QStringLiteral("0.5"));
        EXPECT_EQ(format::leadingNumber(QStringLiteral("1.5")), 1.5);
        EXPECT_EQ(format::leadingNumber(QStringLiteral("1,5")), 1.0);
        EXPECT_EQ(format::formatNumber(1234.5, QStringLiteral("0.00")), QStringLiteral("1234.50"));
    }

private:
    std::string m_savedCLocale;
};

TEST_F(GermanLocale, QtDefaultLocaleDoesNotChangeTheTexts)
{
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    expectPointTexts();
}

TEST_F(GermanLocale, CLocaleDoesNotChangeTheTexts)
{
    if (!switchCLocaleToGerman())
        GTEST_SKIP() << "no German C locale installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    expectPointTexts();
}

// ---- record texts -------------------------------------------------------------------------------

TEST(FormatValueToText, Table)
{
    const struct {
        com::Value value;
        const char* expected;
    } cases[] = {
        {com::Value(0.5f), "0.5"}, {com::Value(0.1f), "0.1"}, {com::Value(-21.7f), "-21.7"},
        {com::Value(0.1), "0.1"}, {com::Value(0.1 + 0.2), "0.30000000000000004"}, {com::Value(1e20), "1E+20"},
        {com::Value(1.5e-7), "1.5E-07"}, {com::Value(100.0), "100"}, {com::Value(-0.0f), "-0"},
        {com::Value(int16_t{-3}), "-3"}, {com::Value(int32_t{2147483647}), "2147483647"},
        {com::Value(true), "True"}, {com::Value(false), "False"},
        {com::Value(QStringLiteral(" a,b\\ ")), " a,b\\ "}, {com::Value(), ""}, {com::Value::null(), ""},
        {com::Value(std::numeric_limits<double>::infinity()), "Inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::valueToText(c.value), QString::fromLatin1(c.expected)) << c.expected;
}

TEST(FormatValueToText, ObjectsAndArraysRaiseTypeMismatch)
{
    const com::Value object(std::make_shared<com::Object>());
    const com::Value array(std::vector<com::Value>{com::Value(1.0)});
    EXPECT_EQ(raisedNumber([&] { format::valueToText(object); }), com::errTypeMismatch);
    EXPECT_EQ(raisedNumber([&] { format::valueToText(array); }), com::errTypeMismatch);
}

float readSingleBack(float value)
{
    return static_cast<float>(format::leadingNumber(format::valueToText(com::Value(value))));
}

TEST(FormatValueToText, SingleReadsBackExactly)
{
    std::vector<float> values = {
        0.0f, -0.0f, 0.1f, -0.1f, 1.0f / 3, FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_MIN, FLT_EPSILON,
        std::numeric_limits<float>::denorm_min(), 16777217.0f, 21.7f, 1e-10f, 3e38f,
        // Singles whose shortest text rounds twice when read as a double and then narrowed.
        std::bit_cast<float>(0x15ae43fdu), std::bit_cast<float>(0x95ae43fdu),
    };
    for (uint32_t bits = 1; bits < 1000; ++bits) // denormals, smallest and largest
        values.push_back(std::bit_cast<float>(bits));
    for (uint32_t bits = 0x007fffffu; bits > 0x007fffffu - 1000; --bits)
        values.push_back(std::bit_cast<float>(bits));
    std::mt19937 random(20240611);
    while (values.size() < 6000) {
        const float value = std::bit_cast<float>(static_cast<uint32_t>(random()));
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const float value : values)
        ASSERT_EQ(std::bit_cast<uint32_t>(readSingleBack(value)), std::bit_cast<uint32_t>(value))
            << "text " << format::valueToText(com::Value(value)).toStdString();
}

TEST(FormatValueToText, DoubleReadsBackExactly)
{
    std::vector<double> values = {-0.0, 0.1, DBL_MAX, DBL_MIN, std::numeric_limits<double>::denorm_min(), 1e23};
    std::mt19937_64 random(7);
    while (values.size() < 3000) {
        const double value = std::bit_cast<double>(static_cast<uint64_t>(random()));
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const double back = format::leadingNumber(format::valueToText(com::Value(value)));
        ASSERT_EQ(std::bit_cast<uint64_t>(back), std::bit_cast<uint64_t>(value)) << value;
    }
}

// ---- the leading-number parse -------------------------------------------------------------------

TEST(FormatLeadingNumber, Table)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {".5x", 0.5}, {"12abc", 12}, {"abc", 0}, {"-", 0}, {"", 0}, {".", 0}, {"-.", 0}, {"--5", 0},
        {"1e", 1}, {"1e5", 100000}, {"1e-", 1}, {"1e+2x", 100}, {"2.5E-1", 0.25}, {"1D2", 100}, {"1d-1", 0.1},
        {"  -3.25kg", -3.25}, {"\t42", 42}, {"+7", 7}, {"5.", 5}, {"1.2.3", 1.2}, {"- 3", 0},
        {"0012", 12}, {"1 2", 1}, {"1,5", 1}, {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
        {"1e99999999999999999999999", inf}, {"1e-99999999999999999999999", 0}, {"0e99999", 0},
        {"\xd9\xa1", 0}, // a non-Latin digit is no digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::leadingNumber(QString::fromUtf8(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(FormatLeadingNumber, OverlongTexts)
{
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    EXPECT_EQ(format::leadingNumber(text(std::string(100000, '9'))), inf);
    EXPECT_EQ(format::leadingNumber(text("-" + std::string(100000, '9') + "x")), -inf);
    EXPECT_EQ(format::leadingNumber(text("0." + std::string(100000, '0') + "1")), 0.0);
    EXPECT_EQ(format::leadingNumber(text("1" + std::string(100000, '0') + "e-99990")), 1e10);
    EXPECT_EQ(format::leadingNumber(text("0." + std::string(5000, '0') + "25e5001")), 2.5);
}

TEST(FormatIsNumeric, Table)
{
    const struct {
        const char* text;
        bool expected;
    } cases[] = {
        {"1", true}, {" 1.5 ", true}, {".5", true}, {"5.", true}, {"-1e5", true}, {"+2E-3", true},
        {"1D3", true}, {"\t-7\r\n", true},
        {"", false}, {"  ", false}, {".", false}, {"+", false}, {"1e", false}, {"1e+", false},
        {"1x", false}, {"1 2", false}, {"1.2.3", false}, {"1,5", false}, {"abc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::isNumeric(QString::fromLatin1(c.text)), c.expected) << '"' << c.text << '"';
}

// ---- fixed formats ------------------------------------------------------------------------------

TEST(FormatFixed, Table)
{
    const struct {
        double value;
        const char* pattern;
        char separator;
        const char* expected;
    } cases[] = {
        {1.005, "0.00", '.', "1.01"}, {0.285, "0.00", '.', "0.29"}, {9.995, "0.00", '.', "10.00"},
        {2.5, "0", '.', "3"}, {-2.5, "0", '.', "-3"}, {0.5, "0", '.', "1"}, {0.49, "0", '.', "0"},
        {-0.04, "0.0", '.', "0.0"}, {-0.05, "0.0", '.', "-0.1"}, {-999.96, "0.0", '.', "-1000.0"},
        {5, "00", '.', "05"}, {123, "00", '.', "123"}, {0, "0.000", '.', "0.000"},
        {0.0004, "0.000", '.', "0.000"}, {-0.0005, "0.000", '.', "-0.001"}, {1.2345, "0.000", ',', "1,235"},
        {0.5, "#0.0", '.', "0.5"}, {0.5, "#.0", '.', ".5"},
        {1.5, "0.0#", '.', "1.5"}, {1.234, "0.0#", '.', "1.23"}, {1, "0.0#", '.', "1.0"}, {7, "0.#", '.', "7"},
        {1234567, "# ##0", '.', "1 234 567"}, {999.5, "# ##0", '.', "1 000"}, {12, "# ##0", '.', "12"},
        {-1234.567, "# ##0.00", ',', "-1 234,57"}, {1234567, "#,##0", '.', "1,234,567"},
        {123456789.123456789, "0.000", '.', "123456789.123"}, {1e20, "0", '.', "100000000000000000000"},
        {nan, "0.0", '.', "NaN"}, {-inf, "0", '.', "-Inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::formatNumber(c.value, QString::fromLatin1(c.pattern), QLatin1Char(c.separator)),
                  QString::fromLatin1(c.expected))
            << c.value << " with \"" << c.pattern << '"';
}

TEST(FormatFixed, UnknownPatternCharacterRaisesInvalidCall)
{
    EXPECT_EQ(raisedNumber([] { format::formatNumber(1, QStringLiteral("0%")); }), com::errInvalidCall);
    EXPECT_EQ(raisedNumber([] { format::formatNumber(1, QStringLiteral("0.0 0")); }), com::errInvalidCall);
}

// ---- Windows-1252 -------------------------------------------------------------------------------

TEST(FormatAnsi, EveryByteRoundTrips)
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte));
    const QString text = format::fromAnsi(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(format::toAnsi(text), bytes);
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(format::fromAnsi(static_cast<char>(byte)), text[byte]) << byte;
        if (byte < 0x80 || byte >= 0xA0) {
            EXPECT_EQ(text[byte].unicode(), byte) << byte;
        }
    }
}

TEST(FormatAnsi, HighControlRangeIsTheCodePage)
{
    const char16_t expected[32] = {
        u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D, u'Ž', 0x8F,
        0x90, u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ',
    };
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(format::fromAnsi(static_cast<char>(0x80 + i)).unicode(), expected[i]) << 0x80 + i;
}

TEST(FormatAnsi, TextToBytes)
{
    const struct {
        const char* text;
        QByteArray expected;
    } cases[] = {
        {"€", "\x80"}, {"$IREM\r", "$IREM\r"}, {"Grüße", "Gr\xfc\xdf" "e"}, {"ÿŸ", "\xff\x9f"},
        {"\xc2\x81", "\x81"},  // an undefined byte's own character
        {"\xc2\x80", "?"},     // a control character the code page has no byte for
        {"ĀΩ€", "??\x80"}, {"a😀b", "a?b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format::toAnsi(QString::fromUtf8(c.text)), c.expected) << c.text;
    EXPECT_EQ(format::fromAnsi(QByteArray("\x80 \x93ok\x94")), QString::fromUtf8("€ “ok”"));
}

} // namespace
