#include "standards/Limit.h"
#include "standards/Standard.h"

#include "com/Error.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

template <typename Statement>
int32_t raisedNumber(Statement&& statement)
{
    try {
        statement();
    } catch (const com::Error& error) {
        return error.number();
    }
    return 0;
}

std::shared_ptr<host::Limit> limitOf(const QString& name, const QString& upper = {}, const QString& lower = {})
{
    auto limit = std::make_shared<host::Limit>();
    limit->Initialize(name, QStringLiteral("BPM"), upper, lower);
    return limit;
}

} // namespace

TEST(StandardsTest, LimitValuesAreEnabledOnlyWhenGiven)
{
    const auto limit = limitOf(QStringLiteral("BRRA"), QStringLiteral("20.5"), QString());
    float value = -1.0f;
    bool enabled = false;
    limit->Value(0, value);
    limit->Enabled(0, enabled);
    EXPECT_EQ(value, 20.5f);
    EXPECT_TRUE(enabled);
    limit->Value(1, value);
    limit->Enabled(1, enabled);
    EXPECT_EQ(value, 0.0f);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(limit->Name(), QStringLiteral("BRRA"));
    limit->setUnit(QStringLiteral("1/min"));
    EXPECT_EQ(limit->Unit(), QStringLiteral("1/min"));

    EXPECT_EQ(raisedNumber([&] { limit->Value(2, value); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limit->Enabled(-1, enabled); }), com::errSubscript);
    // A value that is no number leaves the limit as it was.
    EXPECT_EQ(raisedNumber([&] {
                  limit->Initialize(QStringLiteral("TIVO"), {}, QStringLiteral("1"), QStringLiteral("low"));
              }),
              com::errTypeMismatch);
    EXPECT_EQ(limit->Name(), QStringLiteral("BRRA"));
}

TEST(StandardsTest, StandardListsItsLimitsInOrderFromPositionOne)
{
    host::Standard standard;
    standard.Initialize(QStringLiteral("ISO"), QStringLiteral("ISO 80601-2-12"), 1);
    EXPECT_EQ(standard.Name(), QStringLiteral("ISO"));
    EXPECT_EQ(standard.Key2(), QStringLiteral("ISO 80601-2-12"));
    for (const char* key : {"BRRA", "TIVO", "INPF"})
        standard.Add(limitOf(QString::fromLatin1(key)));
    EXPECT_EQ(raisedNumber([&] { standard.Add(nullptr); }), com::errObjectNotSet);

    const auto limits = standard.Limits();
    ASSERT_EQ(limits->Count(), 3);
    EXPECT_EQ(limits->Item(1)->Name(), QStringLiteral("BRRA"));
    limits->Remove(2);
    QStringList names;
    for (const auto& limit : *limits)
        names << limit->Name();
    EXPECT_EQ(names, (QStringList{"BRRA", "INPF"}));
    EXPECT_EQ(raisedNumber([&] { limits->Item(0); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limits->Item(3); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limits->Remove(3); }), com::errInvalidCall);
    EXPECT_EQ(standard.Limits()->Count(), 2);
}
