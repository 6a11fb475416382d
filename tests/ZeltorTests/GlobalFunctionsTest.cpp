#include "MGlobalFunctions.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace ZeltorTests;

TEST(GlobalFunctions, RoundToDigitsRoundsHalvesToEven)
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
        EXPECT_EQ(MGlobalFunctions::RoundToDigits(c.value, c.digits), c.expected) << c.value << ", " << c.digits;
}

TEST(GlobalFunctions, FilterDigitKeyLetsDigitsAndBackspaceThrough)
{
    for (int16_t key = '0'; key <= '9'; ++key)
        EXPECT_EQ(MGlobalFunctions::FilterDigitKey(key), key);
    EXPECT_EQ(MGlobalFunctions::FilterDigitKey(8), 8);
    for (const int16_t key : {int16_t{'.'}, int16_t{'-'}, int16_t{13}, int16_t{'a'}, int16_t{0}, int16_t{-1}})
        EXPECT_EQ(MGlobalFunctions::FilterDigitKey(key), 0) << key;
}

TEST(GlobalFunctions, SelectAllTextSelectsTheWholeText)
{
    QLineEdit box;
    MGlobalFunctions::SelectAllText(box);
    EXPECT_FALSE(box.hasSelectedText());
    box.setText(QStringLiteral("1200"));
    box.setCursorPosition(2);
    MGlobalFunctions::SelectAllText(box);
    EXPECT_EQ(box.selectedText(), QStringLiteral("1200"));
}
