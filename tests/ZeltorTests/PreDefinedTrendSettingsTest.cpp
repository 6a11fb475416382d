#include "elements/CPreDefinedTrendSettings.h"

#include "CompactXml.h"
#include "HostFixture.h"

#include "HostServices.h"
#include "Xml.h"

using namespace ZeltorTests;

class PreDefinedTrendSettingsTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    QString savedXml(const CPreDefinedTrendSettings& settings)
    {
        document->setDocumentElement(settings.Save(document));
        return compactXml(document->Xml());
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(PreDefinedTrendSettingsTest, SaveWritesActiveOnlyWhenSetAndLoadsBackToTheSameBytes)
{
    EXPECT_EQ(savedXml(CPreDefinedTrendSettings()),
              QStringLiteral("<TrendSettings><Interval>15</Interval></TrendSettings>"));

    CPreDefinedTrendSettings active;
    active.setActive(true);
    active.setInterval(30);
    const QString first = savedXml(active);
    EXPECT_EQ(first, QStringLiteral("<TrendSettings><Active>True</Active><Interval>30</Interval></TrendSettings>"));

    CPreDefinedTrendSettings reloaded;
    reloaded.Load(parsed(first));
    EXPECT_TRUE(reloaded.Active());
    EXPECT_EQ(reloaded.Interval(), 30);
    EXPECT_EQ(savedXml(reloaded), first);
}

TEST_F(PreDefinedTrendSettingsTest, LoadTakesActiveFromThePresenceOfItsChildAndRoundsTheInterval)
{
    const struct {
        const char* xml;
        bool active;
        int32_t interval;
    } cases[] = {
        {"<TrendSettings/>", false, 60}, // the interval keeps its value
        {"<Other><Active/></Other>", true, 60},
        {"<TrendSettings><Active>False</Active></TrendSettings>", true, 60},
        {"<TrendSettings><Interval>2.5</Interval></TrendSettings>", false, 2},
        {"<TrendSettings><Interval>3.5</Interval></TrendSettings>", false, 4},
        {"<TrendSettings><Interval></Interval></TrendSettings>", false, 0},
    };
    for (const auto& c : cases) {
        CPreDefinedTrendSettings settings;
        settings.setActive(!c.active);
        settings.setInterval(60);
        settings.Load(parsed(QString::fromLatin1(c.xml)));
        EXPECT_EQ(settings.Active(), c.active) << c.xml;
        EXPECT_EQ(settings.Interval(), c.interval) << c.xml;
    }
}

TEST_F(PreDefinedTrendSettingsTest, ClonesAreIndependent)
{
    CPreDefinedTrendSettings source;
    source.setActive(true);
    source.setInterval(5);
    const auto clone = source.Clone();
    EXPECT_TRUE(clone->Active());
    EXPECT_EQ(clone->Interval(), 5);
    clone->setActive(false);
    source.setInterval(10);
    EXPECT_TRUE(source.Active());
    EXPECT_EQ(clone->Interval(), 5);
}
