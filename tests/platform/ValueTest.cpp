#include "com/Value.h"

#include "RaisedNumber.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using com::Value;

struct Probe : com::Object {
    int id = 0;
};
struct Other : com::Object {};

TEST(Value, WholeNumberConversionsRoundHalvesToEven)
{
    const struct {
        Value value;
        int32_t expected;
    } cases[] = {
        {Value(2.5), 2}, {Value(3.5), 4}, {Value(-2.5), -2}, {Value(0.5f), 0}, {Value(1.5f), 2},
        {Value("2.5"), 2}, {Value(" 7 "), 7}, {Value(true), -1}, {Value(false), 0}, {Value(), 0},
        {Value(int16_t{-12}), -12}, {Value(int32_t{2147483647}), 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value.toInt32(), c.expected) << c.value.toString().toStdString();
    EXPECT_EQ(Value(32766.5).toInt16(), 32766);
    EXPECT_EQ(Value(-4.5).toInt16(), -4);
}

TEST(Value, ConversionFailuresRaiseTheirNumbers)
{
    const auto object = std::make_shared<Probe>();
    const struct {
        const char* name;
        std::function<void()> call;
        int32_t number;
    } cases[] = {
        {"Long of 2147483647.5", [] { Value(2147483647.5).toInt32(); }, com::errOverflow},
        {"Integer of Long 40000", [] { Value(int32_t{40000}).toInt16(); }, com::errOverflow},
        {"Single of 1e39", [] { Value(1e39).toFloat(); }, com::errOverflow},
        {"Long of text 1e12", [] { Value("1e12").toInt32(); }, com::errOverflow},
        {"Long of non-numeric text", [] { Value("12 apples").toInt32(); }, com::errTypeMismatch},
        {"Double of empty text", [] { Value("").toDouble(); }, com::errTypeMismatch},
        {"Boolean of non-numeric text", [] { Value("yes").toBool(); }, com::errTypeMismatch},
        {"Long of an object", [object] { Value(object).toInt32(); }, com::errTypeMismatch},
        {"Double of an array", [] { Value(std::vector<Value>{1, 2}).toDouble(); }, com::errTypeMismatch},
        {"text of an object", [object] { Value(object).toString(); }, com::errTypeMismatch},
        {"text of an array", [] { Value(std::vector<Value>{}).toString(); }, com::errTypeMismatch},
        {"object of a number", [] { Value(3).toObject(); }, com::errTypeMismatch},
        {"array of a number", [] { Value(3).array(); }, com::errTypeMismatch},
    };
    for (const auto& c : cases)
        EXPECT_EQ(raisedNumber(c.call), c.number) << c.name;
}

TEST(Value, BooleanTextAndTextForms)
{
    EXPECT_TRUE(Value("True").toBool());
    EXPECT_TRUE(Value("tRUE").toBool());
    EXPECT_FALSE(Value("FALSE").toBool());
    EXPECT_TRUE(Value("-1").toBool());
    EXPECT_FALSE(Value("0").toBool());
    EXPECT_TRUE(Value(0.25).toBool());

    const struct {
        Value value;
        const char* expected;
    } cases[] = {
        {Value(0.5), ".5"}, {Value(-0.25f), "-.25"}, {Value(0.1f), ".1"}, {Value(1.0 / 3.0), ".333333333333333"},
        {Value(int32_t{-42}), "-42"}, {Value(int16_t{7}), "7"}, {Value(true), "True"}, {Value(false), "False"},
        {Value(), ""}, {Value("as is"), "as is"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value.toString(), QString::fromUtf8(c.expected));
    EXPECT_DOUBLE_EQ(Value(" 1.5e2 ").toDouble(), 150.0);
}

TEST(Value, OneDimensionalArraysKeepTheirLowerBound)
{
    Value items(std::vector<Value>{"a", "b", "c"}, 1);
    EXPECT_EQ(items.array().lowerBound, 1);
    EXPECT_EQ(items.array().upperBound(), 3);
    EXPECT_EQ(items.at(1).toString(), QStringLiteral("a"));
    EXPECT_EQ(items.at(3).toString(), QStringLiteral("c"));
    items.at(2) = Value(5);
    EXPECT_EQ(items.at(2).toInt32(), 5);

    const Value& readOnly = items;
    for (const int32_t outside : {0, 4, -1, 2147483647, -2147483647 - 1})
        EXPECT_EQ(raisedNumber([&] { readOnly.at(outside); }), com::errSubscript) << outside;
    EXPECT_EQ(raisedNumber([&] { readOnly.at2D(0, 0); }), com::errSubscript);
}

TEST(Value, TwoDimensionalArraysAreStoredRowByRow)
{
    Value table = Value::make2D(2, 3);
    ASSERT_TRUE(table.array().isTwoDimensional());
    EXPECT_EQ(table.array().items.size(), 6u);
    table.at2D(1, 2) = Value(12);
    table.at2D(0, 1) = Value(1);
    EXPECT_EQ(table.array().items[5].toInt32(), 12);
    EXPECT_EQ(table.array().items[1].toInt32(), 1);
    EXPECT_TRUE(table.at2D(1, 0).isEmpty());

    for (const auto& [row, column] : std::vector<std::pair<int32_t, int32_t>>{{2, 0}, {0, 3}, {-1, 0}, {0, -1}})
        EXPECT_EQ(raisedNumber([&] { table.at2D(row, column); }), com::errSubscript) << row << "," << column;
    EXPECT_EQ(raisedNumber([&] { table.at(0); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([] { Value::make2D(2, 0); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([] { Value::make2D(-1, 2); }), com::errSubscript);
    EXPECT_EQ(Value::make2D(0, 4).array().items.size(), 0u);
}

// A typed value is a value: a copy of an array is a new array, as it is in the original runtime.
TEST(Value, CopiesOfAnArrayAreIndependent)
{
    Value original(std::vector<Value>{1, 2});
    Value copy = original;
    copy.at(0) = Value(10);
    EXPECT_EQ(original.at(0).toInt32(), 1);
    EXPECT_EQ(copy.at(0).toInt32(), 10);

    Value table = Value::make2D(1, 1);
    const Value snapshot = table;
    table.at2D(0, 0) = Value("changed");
    EXPECT_TRUE(snapshot.at2D(0, 0).isEmpty());

    Value assigned;
    assigned = table;
    assigned.array().items[0] = Value(3);
    EXPECT_EQ(table.at2D(0, 0).toString(), QStringLiteral("changed"));
}

TEST(Value, Equality)
{
    const auto object = std::make_shared<Probe>();
    EXPECT_EQ(Value(3), Value(3));
    EXPECT_NE(Value(3), Value(4));
    EXPECT_NE(Value(int32_t{3}), Value(int16_t{3})); // different types
    EXPECT_EQ(Value("Text"), Value("Text"));
    EXPECT_NE(Value("Text"), Value("text"));
    EXPECT_EQ(Value(), Value());
    EXPECT_NE(Value(), Value::null());
    EXPECT_EQ(Value(object), Value(object));
    EXPECT_NE(Value(object), Value(std::make_shared<Probe>()));

    const Value a(std::vector<Value>{1, "x"}, 1);
    EXPECT_EQ(a, Value(std::vector<Value>{1, "x"}, 1));
    EXPECT_NE(a, Value(std::vector<Value>{1, "x"}, 0));
    EXPECT_NE(a, Value(std::vector<Value>{1, "y"}, 1));
    EXPECT_NE(Value::make2D(2, 3), Value::make2D(3, 2));
    EXPECT_NE(a, Value(1));
}

TEST(Value, ObjectsAndTheirInterfaces)
{
    const auto probe = std::make_shared<Probe>();
    probe->id = 7;
    const Value held(probe);
    EXPECT_TRUE(held.isObject());
    ASSERT_NE(held.objectAs<Probe>(), nullptr);
    EXPECT_EQ(held.objectAs<Probe>()->id, 7);
    EXPECT_EQ(held.objectAs<Other>(), nullptr);
    EXPECT_EQ(Value().objectAs<Probe>(), nullptr);
    EXPECT_EQ(Value::null().toObject(), nullptr);
    EXPECT_EQ(raisedNumber([] { Value("x").objectAs<Probe>(); }), com::errTypeMismatch);
}

} // namespace
