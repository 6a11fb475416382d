#include "data/CGraphSettings.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "HostFixture.h"

#include "HostServices.h"
#include "Xml.h"

using namespace ZeltorTests;

class GraphSettingsTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    QString saved(CGraphSettings& settings)
    {
        const auto element = settings.Save(document);
        document->setDocumentElement(element);
        return document->Xml();
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(GraphSettingsTest, DefaultsWriteOnlyTheFourRanges)
{
    CGraphSettings settings;
    EXPECT_TRUE(settings.AutoScaleX());
    EXPECT_TRUE(settings.AutoScaleY());
    EXPECT_TRUE(settings.ShowMax());
    EXPECT_TRUE(settings.ShowMin());
    EXPECT_FALSE(settings.ShowDetectLevel());
    EXPECT_FALSE(settings.ShowLimits());
    const auto element = settings.Save(document);
    const auto children = element->ChildElements();
    ASSERT_EQ(children->Count(), 4);
    const char* names[] = {"XMin", "XMax", "YMin", "YMax"};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(children->Item(i)->TagName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(children->Item(i)->Text(), QStringLiteral("0"));
    }
}

TEST_F(GraphSettingsTest, FlagsThatDifferFromTheirDefaultsComeFirstInFixedOrder)
{
    CGraphSettings settings;
    settings.setShowMin(false);
    settings.setShowLimits(true);
    settings.setAutoScaleY(false);
    settings.setAutoScaleX(false);
    settings.setShowDetectLevel(true);
    settings.setShowMax(false);
    settings.setXmin(-2.5f);
    settings.setXmax(0.1f);
    settings.setYmin(-1000.25f);
    settings.setYmax(3e-5f);
    const QString xml = saved(settings);
    EXPECT_TRUE(compactXml(xml).contains(QStringLiteral(
        "<AutoScaleX>False</AutoScaleX><AutoScaleY>False</AutoScaleY><ShowDetectLevel>True</ShowDetectLevel>"
        "<ShowLimits>True</ShowLimits><ShowMax>False</ShowMax><ShowMin>False</ShowMin><XMin>-2.5</XMin>")))
        << xml.toStdString();

    // Read back exactly, and written again to the same bytes.
    CGraphSettings loaded;
    loaded.Load(document->DocumentElement());
    EXPECT_FALSE(loaded.AutoScaleX());
    EXPECT_FALSE(loaded.AutoScaleY());
    EXPECT_TRUE(loaded.ShowDetectLevel());
    EXPECT_TRUE(loaded.ShowLimits());
    EXPECT_FALSE(loaded.ShowMax());
    EXPECT_FALSE(loaded.ShowMin());
    EXPECT_EQ(loaded.Xmin(), -2.5f);
    EXPECT_EQ(loaded.Xmax(), 0.1f);
    EXPECT_EQ(loaded.Ymin(), -1000.25f);
    EXPECT_EQ(loaded.Ymax(), 3e-5f);
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(loaded.Save(again));
    EXPECT_EQ(again->Xml(), xml);
}

TEST_F(GraphSettingsTest, LoadRestoresDefaultsAndReadsFlagsCaseSensitively)
{
    CGraphSettings settings;
    settings.setAutoScaleX(false);
    settings.setShowLimits(true);
    settings.setYmax(9.0f);
    settings.Load(parsed(QStringLiteral("<GraphSettings><ShowMax>false</ShowMax><ShowDetectLevel>TRUE</ShowDetectLevel>"
                                        "<XMax>abc</XMax><YMin>12.5kg</YMin><Other>True</Other>"
                                        "<XMin>1</XMin><XMin>2</XMin></GraphSettings>")));
    EXPECT_TRUE(settings.AutoScaleX());   // default restored
    EXPECT_FALSE(settings.ShowLimits());  // default restored
    EXPECT_EQ(settings.Ymax(), 0.0f);     // default restored
    EXPECT_FALSE(settings.ShowMax());     // "false" is not "True"
    EXPECT_FALSE(settings.ShowDetectLevel());
    EXPECT_EQ(settings.Xmax(), 0.0f);     // not a number
    EXPECT_EQ(settings.Ymin(), 12.5f);    // leading number
    EXPECT_EQ(settings.Xmin(), 2.0f);     // the later child wins
}

TEST_F(GraphSettingsTest, ARangeBeyondASingleRaisesNamingItAndKeepsWhatCameBefore)
{
    for (const char* text : {"1e39", "-1e309"}) {
        CGraphSettings settings;
        const com::Error error = caughtError([&] {
            settings.Load(parsed(QStringLiteral("<GraphSettings><XMin>3</XMin><YMax>%1</YMax><XMax>4</XMax></GraphSettings>")
                                     .arg(QString::fromLatin1(text))));
        });
        EXPECT_EQ(error.number(), com::errOverflow) << text;
        EXPECT_EQ(error.description(), QStringLiteral("YMax is \"%1\", out of range").arg(QString::fromLatin1(text)));
        EXPECT_EQ(settings.Xmin(), 3.0f) << text;
        EXPECT_EQ(settings.Xmax(), 0.0f) << text;
    }
}

TEST_F(GraphSettingsTest, AnElementOfAnotherNameLeavesTheDefaults)
{
    CGraphSettings settings;
    settings.setShowMin(false);
    settings.Load(parsed(QStringLiteral("<graphsettings><ShowMax>False</ShowMax><XMin>5</XMin></graphsettings>")));
    EXPECT_TRUE(settings.ShowMin());
    EXPECT_TRUE(settings.ShowMax());
    EXPECT_EQ(settings.Xmin(), 0.0f);
}
