#include "data/CTrendCollection.h"
#include "data/DataErrors.h"

#include "CaughtError.h"
#include "TrendFixture.h"

using namespace ZeltorTests;

class TrendCollectionTest : public TrendFixture {
protected:
    static QStringList keysOf(const CTrendCollection& trends)
    {
        QStringList keys;
        for (const auto& trend : trends)
            keys << trend->Key();
        return keys;
    }

    // A collection with the predefined trend (empty key) and one more, both with samples.
    CTrendCollection recorded()
    {
        CTrendCollection trends;
        const auto predefined = trends.Add(QString(), parameters);
        predefined->Initialize(QStringLiteral("Predefined trend"), 60, 0);
        const auto night = trends.Add(QStringLiteral("Night"), parameters);
        night->Initialize(QStringLiteral("Night"), 15, 120);
        night->setComment(QStringLiteral("PEEP 5"));
        for (int i = 0; i < 3; ++i)
            for (const auto& trend : trends)
                trend->AddSample(
                    std::vector{measurement(QStringLiteral("BRRA"), {12.0f + static_cast<float>(i), 14.5f})});
        return trends;
    }
};

TEST_F(TrendCollectionTest, TrendsAreHeldUnderTheirKeysTheEmptyKeyIncluded)
{
    CTrendCollection trends;
    EXPECT_EQ(trends.LastTrend(), nullptr);
    const auto predefined = trends.Add(QString(), parameters);
    const auto night = trends.Add(QStringLiteral("Night"), parameters);
    ASSERT_NE(predefined, nullptr);
    EXPECT_EQ(parameterKeys(*predefined), (QStringList{"BRRA", "TIVO", "INPF", "ATPR"}));
    EXPECT_FALSE(night->Active());
    EXPECT_EQ(night->Interval(), 0);

    EXPECT_EQ(trends.Count(), 2);
    EXPECT_EQ(keysOf(trends), (QStringList{"", "Night"}));
    EXPECT_EQ(trends.Item(QString()), predefined);
    EXPECT_EQ(trends.Item(QStringLiteral("NIGHT")), night);
    EXPECT_EQ(trends.Item(QStringLiteral("Day")), nullptr);
    EXPECT_EQ(trends.LastTrend(), night);

    for (const QString& taken : {QString(), QStringLiteral("night")})
        EXPECT_EQ(caughtError([&] { trends.Add(taken, parameters); }).number(), com::errDuplicateKey);
    EXPECT_EQ(trends.Count(), 2);
}

TEST_F(TrendCollectionTest, LockedCollectionAddsNothingUntilLoaded)
{
    CTrendCollection trends;
    trends.Add(QString(), parameters);
    trends.setLocked(true);
    EXPECT_EQ(trends.Add(QStringLiteral("Night"), parameters), nullptr);
    EXPECT_EQ(trends.Count(), 1);
    trends.Clear();
    EXPECT_EQ(trends.Count(), 0);
    EXPECT_TRUE(trends.Locked()); // clearing keeps the lock

    trends.Load(parsed(QStringLiteral("<Trends/>")), parameters);
    EXPECT_FALSE(trends.Locked());
    EXPECT_NE(trends.Add(QStringLiteral("Night"), parameters), nullptr);
}

TEST_F(TrendCollectionTest, RemoveTakesAPositionOrAKeyAndIgnoresUnknownOnes)
{
    const struct {
        std::function<void(CTrendCollection&)> remove;
        QStringList left;
    } cases[] = {
        {[](CTrendCollection& t) { t.Remove(1); }, {"Night", "Day"}},
        {[](CTrendCollection& t) { t.Remove(3); }, {"", "Night"}},
        {[](CTrendCollection& t) { t.Remove(QString()); }, {"Night", "Day"}},
        {[](CTrendCollection& t) { t.Remove(QStringLiteral("night")); }, {"", "Day"}},
        {[](CTrendCollection& t) { t.Remove(0); }, {"", "Night", "Day"}},
        {[](CTrendCollection& t) { t.Remove(4); }, {"", "Night", "Day"}},
        {[](CTrendCollection& t) { t.Remove(QStringLiteral("Noon")); }, {"", "Night", "Day"}},
    };
    for (const auto& c : cases) {
        CTrendCollection trends;
        for (const QString& key : {QString(), QStringLiteral("Night"), QStringLiteral("Day")})
            trends.Add(key, parameters);
        c.remove(trends);
        EXPECT_EQ(keysOf(trends), c.left);
    }
}

TEST_F(TrendCollectionTest, SaveCountsEveryTrendButLeavesOutThoseWithoutParameters)
{
    EXPECT_EQ(CTrendCollection().Save(document), nullptr);

    CTrendCollection trends;
    CParameterList channelsOnly;
    channelsOnly.Add(QStringLiteral("FLOW"));
    trends.Add(QStringLiteral("Empty"), channelsOnly);
    trends.Add(QStringLiteral("Night"), parameters);
    const auto element = trends.Save(document);
    const auto children = element->ChildElements();
    ASSERT_EQ(children->Count(), 2);
    EXPECT_EQ(children->Item(0)->TagName(), QStringLiteral("TrendCount"));
    EXPECT_EQ(children->Item(0)->Text(), QStringLiteral("2"));
    EXPECT_EQ(children->Item(1)->GetAttribute(QStringLiteral("Key")), QStringLiteral("Night"));
}

TEST_F(TrendCollectionTest, SaveLoadAndSaveAgainGiveTheSameBytes)
{
    const QString first = xmlOf(recorded().Save(document));
    CTrendCollection loaded;
    loaded.setLocked(true);
    loaded.Load(parsed(first), parameters);
    EXPECT_EQ(keysOf(loaded), (QStringList{"", "Night"}));
    EXPECT_EQ(loaded.Item(QStringLiteral("Night"))->EndTime(), 165);
    EXPECT_EQ(loaded.Item(QString())->Title(), QStringLiteral("Predefined trend"));
    EXPECT_FALSE(loaded.Locked());
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(loaded.Save(again));
    EXPECT_EQ(again->Xml(), first);
}

TEST_F(TrendCollectionTest, LoadFailures)
{
    CTrendCollection trends = recorded();
    trends.setLocked(true);

    // Another element: nothing changes.
    const com::Error wrongElement =
        caughtError([&] { trends.Load(parsed(QStringLiteral("<Trend Key=\"X\"/>")), parameters); });
    EXPECT_EQ(wrongElement.number(), eeTrendsWrongElement);
    EXPECT_EQ(wrongElement.source(), QStringLiteral("ZeltorTests.CTrendCollection"));
    EXPECT_EQ(trends.Count(), 2);
    EXPECT_TRUE(trends.Locked());

    // The first failure ends the load, keeping the trends before it.
    const com::Error duplicate = caughtError([&] {
        trends.Load(parsed(QStringLiteral("<Trends><TrendCount>3</TrendCount><Trend Key=\"A\"/><Trend Key=\"a\"/>"
                                          "<Trend Key=\"B\"/></Trends>")),
                    parameters);
    });
    EXPECT_EQ(duplicate.number(), com::errDuplicateKey);
    EXPECT_EQ(duplicate.source(), QStringLiteral("ZeltorTests.CTrendCollection"));
    EXPECT_EQ(keysOf(trends), QStringList{"A"});

    const com::Error none = caughtError([&] { trends.Load(nullptr, parameters); });
    EXPECT_EQ(none.number(), com::errObjectNotSet);
    EXPECT_EQ(none.source(), QStringLiteral("ZeltorTests.CTrendCollection"));
}
