#include "com/KeyedCollection.h"

#include "RaisedNumber.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KeyedCollectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        items.Add(10, QStringLiteral("Rate"));
        items.Add(20);
        items.Add(30, QStringLiteral("Volume"));
    }

    std::vector<int> inOrder() const
    {
        std::vector<int> values;
        for (const int value : items)
            values.push_back(value);
        return values;
    }

    com::KeyedCollection<int> items;
};

TEST_F(KeyedCollectionTest, PositionsStartAtOneAndKeepInsertionOrder)
{
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(1), 10);
    EXPECT_EQ(items.Item(3), 30);
    EXPECT_EQ(inOrder(), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(items.KeyAt(1), QStringLiteral("Rate"));
    EXPECT_EQ(items.KeyAt(2), QString());
    items.Item(2) = 25;
    EXPECT_EQ(items.Item(2), 25);
}

TEST_F(KeyedCollectionTest, KeysIgnoreCase)
{
    EXPECT_EQ(items.Item(QStringLiteral("rate")), 10);
    EXPECT_EQ(items.Item(QStringLiteral("VOLUME")), 30);
    EXPECT_TRUE(items.Contains(QStringLiteral("vOlUmE")));
    EXPECT_FALSE(items.Contains(QStringLiteral("Pressure")));
    EXPECT_FALSE(items.Contains(QString())); // items added without a key are not found by key
    EXPECT_EQ(raisedNumber([&] { items.Add(40, QStringLiteral("RATE")); }), com::errDuplicateKey);
    EXPECT_EQ(items.Count(), 3);
    items.Add(50); // any number of items without a key
    EXPECT_EQ(items.Count(), 4);
}

TEST_F(KeyedCollectionTest, MissingPositionsAndKeys)
{
    const struct {
        const char* name;
        std::function<void()> call;
        int32_t number;
    } cases[] = {
        {"Item(0)", [&] { items.Item(0); }, com::errSubscript},
        {"Item(4)", [&] { items.Item(4); }, com::errSubscript},
        {"Item(missing key)", [&] { items.Item(QStringLiteral("Pressure")); }, com::errSubscript},
        {"Item(empty key)", [&] { items.Item(QString()); }, com::errSubscript},
        {"KeyAt(4)", [&] { items.KeyAt(4); }, com::errSubscript},
        {"Remove(0)", [&] { items.Remove(0); }, com::errInvalidCall},
        {"Remove(4)", [&] { items.Remove(4); }, com::errInvalidCall},
        {"Remove(missing key)", [&] { items.Remove(QStringLiteral("Pressure")); }, com::errInvalidCall},
    };
    for (const auto& c : cases)
        EXPECT_EQ(raisedNumber(c.call), c.number) << c.name;
    EXPECT_EQ(items.Count(), 3);
}

TEST_F(KeyedCollectionTest, RemoveByPositionAndKey)
{
    items.Remove(QStringLiteral("rate"));
    EXPECT_EQ(inOrder(), (std::vector<int>{20, 30}));
    EXPECT_FALSE(items.Contains(QStringLiteral("Rate")));
    items.Add(40, QStringLiteral("Rate")); // the key is free again
    items.Remove(1);
    EXPECT_EQ(inOrder(), (std::vector<int>{30, 40}));
    EXPECT_EQ(items.KeyAt(2), QStringLiteral("Rate"));
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_TRUE(inOrder().empty());
}

} // namespace
