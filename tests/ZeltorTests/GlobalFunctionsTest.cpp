#include "elements/MGlobalFunctions.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace ZeltorTests;

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
