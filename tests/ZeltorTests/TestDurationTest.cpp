#include "elements/CConfigVentilator.h"
#include "elements/CConfigZeltor.h"
#include "elements/DurationSeconds.h"

#include "HostFixture.h"

#include "HostServices.h"
#include "TestDuration.h"
#include "Xml.h"

#include <functional>
#include <limits>

using namespace ZeltorTests;

namespace {

constexpr int32_t kLongest = Zeltor::kMaximumDurationMinutes;
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();

} // namespace

class TestDurationTest : public HostFixture {};

TEST_F(TestDurationTest, SecondsOfADurationAlwaysFitTheirCount)
{
    const struct {
        int32_t minutes;
        int32_t seconds;
    } cases[] = {
        {0, 0}, {1, 60}, {2880, 172'800}, {kLongest, kLongest * 60}, {kLongest + 1, kLongest * 60},
        {kMaxInt, kLongest * 60}, {-1, 0}, {kMinInt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(durationSeconds(c.minutes), c.seconds);
    }
}

// Whichever way a duration comes in, both configurations hold it to the longest a run can count;
// a negative one is no end.
TEST_F(TestDurationTest, ConfigurationsHoldTheirDuration)
{
    const struct {
        const char* name;
        std::function<std::shared_ptr<ConfigurationRecord>()> make;
    } configurations[] = {
        {"ventilator", [] { return std::make_shared<CConfigVentilator>(); }},
        {"single reading", [] {
             auto configuration = std::make_shared<CConfigZeltor>();
             configuration->setTestKind(400);
             return configuration;
         }},
    };
    const struct {
        QString text;
        int32_t held;
    } durations[] = {
        {QStringLiteral("2147483647"), kLongest},
        {QString::number(kLongest + 1), kLongest},
        {QString::number(kLongest), kLongest},
        {QStringLiteral("90"), 90},
        {QStringLiteral("-5"), 0},
    };
    for (const auto& kind : configurations) {
        for (const auto& d : durations) {
            SCOPED_TRACE(std::string(kind.name) + " " + d.text.toStdString());
            setSetting(QStringLiteral("Duration"), d.text);
            const auto fromRegistry = kind.make();
            fromRegistry->LoadDefaultSettings();
            EXPECT_EQ(fromRegistry->Duration(), d.held) << "from the registry";

            const auto document = Nelvar::xmlService().CreateDocument();
            document->LoadXml(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>%1</Duration></PlugInData>").arg(d.text));
            const auto loaded = kind.make();
            loaded->Load(document->DocumentElement(), nullptr);
            EXPECT_EQ(loaded->Duration(), d.held) << "from a stored test";

            const auto set = kind.make();
            set->setDuration(d.text.toInt());
            EXPECT_EQ(set->Duration(), d.held) << "set";
        }
    }
}
