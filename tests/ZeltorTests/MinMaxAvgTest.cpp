#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "ui/XMinMaxAvg.h"

#include "HostFixture.h"

#include <QFrame>
#include <QLabel>

using namespace ZeltorTests;

class MinMaxAvgTest : public HostFixture {
protected:
    // Made once the host is there: the panel translates its captions when it is created.
    void SetUp() override
    {
        HostFixture::SetUp();
        panel = std::make_unique<XMinMaxAvg>();
    }
    void TearDown() override
    {
        panel.reset();
        HostFixture::TearDown();
    }

    QString text(const char* label) const
    {
        return panel->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    bool timesShown() const { return !panel->findChild<QFrame*>(QStringLiteral("fraTime"))->isHidden(); }

    static std::shared_ptr<CMeasurement> measurement(const char* key, std::initializer_list<float> samples)
    {
        auto definition = std::make_shared<CParameterDef>();
        definition->setKey(QString::fromLatin1(key));
        auto result = std::make_shared<CMeasurement>();
        result->setParameterDef(definition);
        for (const float sample : samples)
            result->AddSample(sample);
        return result;
    }

    std::unique_ptr<XMinMaxAvg> panel;
};

TEST_F(MinMaxAvgTest, AnIndefiniteTestShowsNoTimes)
{
    panel->Initialize(0);
    EXPECT_FALSE(timesShown());
    panel->UpdateTimer(QStringLiteral("00:00:05"), QStringLiteral("00:00:55"));
    EXPECT_EQ(text("lblTimeElapsedValue"), QStringLiteral("00:00:00"));
    EXPECT_EQ(text("lblTimeRemainingValue"), QStringLiteral("00:00:00"));
}

TEST_F(MinMaxAvgTest, ATimedTestShowsElapsedAndRemainingTime)
{
    EXPECT_EQ(text("lblMin"), QStringLiteral("Minimum value:"));
    EXPECT_EQ(text("lblTimeRemaining"), QStringLiteral("Remaining"));
    panel->Initialize(3600);
    EXPECT_TRUE(timesShown());
    EXPECT_EQ(text("lblTimeRemainingValue"), QStringLiteral("01:00:00"));
    EXPECT_EQ(text("lblTimeElapsedValue"), QStringLiteral("00:00:00"));
    panel->UpdateTimer(QStringLiteral("00:10:00"), QStringLiteral("00:50:00"));
    EXPECT_EQ(text("lblTimeElapsedValue"), QStringLiteral("00:10:00"));
    EXPECT_EQ(text("lblTimeRemainingValue"), QStringLiteral("00:50:00"));
}

TEST_F(MinMaxAvgTest, ValuesShowMinimumMaximumAndAverageAndStayWhenAMeasurementCannotGiveThem)
{
    const auto breathRate = measurement("BRRA", {12.0f, 18.0f});
    panel->setTitle(breathRate->Description());
    panel->UpdateValues(breathRate);
    const QStringList texts = breathRate->FormattedValues();
    EXPECT_EQ(text("lblTitle"), breathRate->Description());
    EXPECT_EQ(text("lblMinValue"), texts[1]);
    EXPECT_EQ(text("lblMaxValue"), texts[2]);
    EXPECT_EQ(text("lblAverageValue"), texts[3]);
    EXPECT_NE(texts[1], texts[2]);

    panel->UpdateValues(nullptr);
    EXPECT_EQ(text("lblMaxValue"), texts[2]);
}
