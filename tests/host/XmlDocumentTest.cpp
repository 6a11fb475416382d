#include "CaughtError.h"

#include "xml/XmlService.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using Nelvar::IXmlDocument;
using Nelvar::IXmlElement;
using Nelvar::IXmlElementList;

QStringList tagsOf(const std::shared_ptr<IXmlElementList>& list)
{
    QStringList tags;
    for (int32_t i = 0; i < list->Count(); ++i)
        tags.append(list->Item(i)->TagName() + list->Item(i)->GetAttribute(QStringLiteral("n")));
    return tags;
}

class XmlDocumentTest : public ::testing::Test {
protected:
    std::shared_ptr<IXmlElement> loadRoot(const QString& text)
    {
        document->LoadXml(text);
        return document->DocumentElement();
    }

    host::XmlService service;
    std::shared_ptr<IXmlDocument> document = service.CreateDocument();
};

TEST_F(XmlDocumentTest, FindChildElementCountsChildElementsFromStart)
{
    const auto root = loadRoot(QStringLiteral("<Root><A n='0'/>text<B/><!-- c --><A n='1'/><A n='2'/></Root>"));
    struct Case {
        const char* name;
        int32_t start;
        const char* found; // attribute "n" of the element found; null: none
    };
    for (const Case& c : {Case{"A", 0, "0"}, Case{"A", 1, "1"}, Case{"A", 2, "1"}, Case{"A", 3, "2"},
                          Case{"A", 4, nullptr}, Case{"B", 0, ""}, Case{"B", 2, nullptr}, Case{"a", 0, nullptr},
                          Case{"C", 0, nullptr}}) {
        const auto element = root->FindChildElement(QString::fromLatin1(c.name), c.start);
        SCOPED_TRACE(std::string(c.name) + " from " + std::to_string(c.start));
        if (!c.found) {
            EXPECT_EQ(element, nullptr);
            continue;
        }
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->TagName(), QString::fromLatin1(c.name));
        EXPECT_EQ(element->GetAttribute(QStringLiteral("n")), QString::fromLatin1(c.found));
    }
    EXPECT_EQ(caughtError([&] { root->FindChildElement(QStringLiteral("A"), -1); }).number(), com::errInvalidCall);
}

TEST_F(XmlDocumentTest, ChildListsHoldElementsOnlyInDocumentOrder)
{
    const auto root = loadRoot(QStringLiteral("<Root><A n='0'/>text<B/><!-- c --><A n='1'/><Inner><A n='x'/></Inner></Root>"));
    EXPECT_EQ(tagsOf(root->ChildElements()), (QStringList{"A0", "B", "A1", "Inner"}));
    const auto named = root->ElementsNamed(QStringLiteral("A"));
    EXPECT_EQ(tagsOf(named), (QStringList{"A0", "A1"}));
    EXPECT_EQ(caughtError([&] { named->Item(2); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { named->Item(-1); }).number(), com::errSubscript);
    EXPECT_EQ(root->ElementsNamed(QStringLiteral("None"))->Count(), 0);
}

TEST_F(XmlDocumentTest, HasChildNodesCountsElementsTextAndComments)
{
    const auto root = loadRoot(QStringLiteral("<Root><Empty/><Text>t</Text><Comment><!-- only --></Comment><Parent><E/></Parent></Root>"));
    EXPECT_TRUE(root->HasChildNodes());
    EXPECT_FALSE(root->FindChildElement(QStringLiteral("Empty"))->HasChildNodes());
    EXPECT_TRUE(root->FindChildElement(QStringLiteral("Text"))->HasChildNodes());
    EXPECT_TRUE(root->FindChildElement(QStringLiteral("Comment"))->HasChildNodes());
    EXPECT_TRUE(root->FindChildElement(QStringLiteral("Parent"))->HasChildNodes());
}

TEST_F(XmlDocumentTest, AttributesReadEmptyWhenAbsentAndKeepTheirPlaceWhenRewritten)
{
    const auto element = document->CreateElement(QStringLiteral("Measurement"));
    EXPECT_EQ(element->GetAttribute(QStringLiteral("Key")), QString());
    element->SetAttribute(QStringLiteral("Key"), QStringLiteral("BRRA"));
    element->SetAttribute(QStringLiteral("Current"), 12.5);
    element->SetAttribute(QStringLiteral("Flag"), true);
    element->SetAttribute(QStringLiteral("Key"), QStringLiteral("TIVO"));
    document->setDocumentElement(element);
    EXPECT_EQ(element->GetAttribute(QStringLiteral("key")), QString()) << "names are case-sensitive";
    EXPECT_EQ(element->GetAttribute(QStringLiteral("Current")), QStringLiteral("12.5"));
    EXPECT_TRUE(document->Xml().contains(QStringLiteral("<Measurement Key=\"TIVO\" Current=\"12.5\" Flag=\"True\" />")))
        << document->Xml().toStdString();
}

TEST_F(XmlDocumentTest, DetachedElementIsAppendedLaterWithWhatWasAddedToIt)
{
    const auto root = document->CreateElement(QStringLiteral("ResultItem"));
    EXPECT_EQ(document->DocumentElement(), nullptr) << "a created element is attached to nothing";
    document->setDocumentElement(root);

    const auto trends = document->CreateElement(QStringLiteral("Trends"));
    trends->AddChildElement(QStringLiteral("Trend"), QStringLiteral("first"));
    root->AddChildElement(QStringLiteral("Comment"));
    root->AppendChild(trends);
    trends->AddChildElement(QStringLiteral("Trend"), QStringLiteral("second"));

    EXPECT_EQ(tagsOf(root->ChildElements()), (QStringList{"Comment", "Trends"}));
    const auto found = document->DocumentElement()->FindChildElement(QStringLiteral("Trends"));
    ASSERT_NE(found, nullptr);
    const auto list = found->ElementsNamed(QStringLiteral("Trend"));
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Item(1)->Text(), QStringLiteral("second"));
}

TEST_F(XmlDocumentTest, AppendChildMovesAnElementAlreadyInTheTree)
{
    const auto root = loadRoot(QStringLiteral("<R><A/><B/></R>"));
    root->AppendChild(root->FindChildElement(QStringLiteral("A")));
    EXPECT_EQ(tagsOf(root->ChildElements()), (QStringList{"B", "A"}));
}

TEST_F(XmlDocumentTest, AppendChildRefusesWhatItCannotAppend)
{
    const auto root = loadRoot(QStringLiteral("<R><Child/></R>"));
    const auto child = root->FindChildElement(QStringLiteral("Child"));
    const auto other = service.CreateDocument()->CreateElement(QStringLiteral("Other"));

    EXPECT_EQ(caughtError([&] { root->AppendChild(other); }).number(), com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { child->AppendChild(root); }).number(), com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { root->AppendChild(root); }).number(), com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { root->AppendChild(nullptr); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { document->setDocumentElement(other); }).number(), com::errInvalidCall);
    EXPECT_EQ(tagsOf(root->ChildElements()), (QStringList{"Child"})) << "the tree is unchanged";
}

TEST_F(XmlDocumentTest, InvalidNamesAreRefused)
{
    const auto root = document->CreateElement(QStringLiteral("Root"));
    for (const QString& name : {QString(), QStringLiteral("a b"), QStringLiteral("1st"), QStringLiteral("a<b"),
                                QStringLiteral("-x"), QStringLiteral("a\"")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(caughtError([&] { document->CreateElement(name); }).number(), com::errInvalidCall);
        EXPECT_EQ(caughtError([&] { root->AddChildElement(name); }).number(), com::errInvalidCall);
        EXPECT_EQ(caughtError([&] { root->SetAttribute(name, 1); }).number(), com::errInvalidCall);
        EXPECT_EQ(caughtError([&] { root->setTagName(name); }).number(), com::errInvalidCall);
    }
    EXPECT_NO_THROW(document->CreateElement(QStringLiteral("ns:Élément_1.x-y")));
    EXPECT_EQ(root->TagName(), QStringLiteral("Root"));
}

TEST_F(XmlDocumentTest, ObjectValuesAreNoAttributeText)
{
    const auto root = document->CreateElement(QStringLiteral("Root"));
    EXPECT_EQ(caughtError([&] { root->SetAttribute(QStringLiteral("A"), com::Value(root)); }).number(),
              com::errTypeMismatch);
    EXPECT_EQ(root->GetAttribute(QStringLiteral("A")), QString());
}

TEST_F(XmlDocumentTest, RenameAndTextKeepChildElements)
{
    const auto root = loadRoot(QStringLiteral("<Limits>old<Limit/>tail</Limits>"));
    EXPECT_EQ(root->Text(), QStringLiteral("oldtail"));
    root->setTagName(QStringLiteral("ExpectedResult"));
    root->setText(QStringLiteral("new"));
    EXPECT_EQ(root->NodeName(), QStringLiteral("ExpectedResult"));
    EXPECT_EQ(root->Text(), QStringLiteral("new"));
    EXPECT_EQ(tagsOf(root->ChildElements()), (QStringList{"Limit"}));
    root->setText(QString());
    EXPECT_EQ(root->Text(), QString());
    EXPECT_TRUE(root->HasChildNodes());
    EXPECT_TRUE(document->Xml().contains(QStringLiteral("<ExpectedResult>\n\t<Limit />\n</ExpectedResult>")))
        << document->Xml().toStdString();
}

TEST_F(XmlDocumentTest, ElementsStayUsableAfterTheirDocumentIsGoneOrReloaded)
{
    auto held = loadRoot(QStringLiteral("<Old><Child/></Old>"));
    const auto child = held->FindChildElement(QStringLiteral("Child"));
    document->LoadXml(QStringLiteral("<New/>"));
    EXPECT_EQ(document->DocumentElement()->TagName(), QStringLiteral("New"));
    EXPECT_EQ(child->TagName(), QStringLiteral("Child"));
    EXPECT_EQ(caughtError([&] { document->DocumentElement()->AppendChild(child); }).number(), com::errInvalidCall)
        << "an element of the tree that was replaced belongs to another document";

    const auto detached = document->CreateElement(QStringLiteral("Detached"));
    document.reset();
    detached->AddChildElement(QStringLiteral("Grandchild"), QStringLiteral("text"));
    EXPECT_EQ(detached->FindChildElement(QStringLiteral("Grandchild"))->Text(), QStringLiteral("text"));
}

TEST_F(XmlDocumentTest, ReplacedRootElementStaysUsable)
{
    const auto first = loadRoot(QStringLiteral("<First><Kept/></First>"));
    const auto second = document->CreateElement(QStringLiteral("Second"));
    document->setDocumentElement(second);
    EXPECT_EQ(document->DocumentElement()->TagName(), QStringLiteral("Second"));
    EXPECT_NE(first->FindChildElement(QStringLiteral("Kept")), nullptr);
    second->AppendChild(first);
    EXPECT_TRUE(document->Xml().endsWith(QStringLiteral("<Second>\n\t<First>\n\t\t<Kept />\n\t</First>\n</Second>\n")))
        << document->Xml().toStdString();
    document->setDocumentElement(nullptr);
    EXPECT_EQ(document->DocumentElement(), nullptr);
}

TEST_F(XmlDocumentTest, StatusNodeReadsBackWhatWasSaved)
{
    const auto root = document->CreateElement(QStringLiteral("ResultItem"));
    document->setDocumentElement(root);
    const auto node = service.SaveStatus(document, 2, QStringLiteral("Limit \"MEEP\" exceeded"));
    EXPECT_EQ(node->NodeName(), QStringLiteral("Status"));
    root->AppendChild(node);

    document->LoadXml(document->Xml());
    int32_t status = -1;
    QString text;
    service.LoadStatus(document->DocumentElement()->FindChildElement(QStringLiteral("Status")), status, text);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(text, QStringLiteral("Limit \"MEEP\" exceeded"));
}

TEST_F(XmlDocumentTest, StatusNodeFromFilesIsReadTolerantlyButOnlyFromStatusElements)
{
    const auto root = loadRoot(QStringLiteral("<R><Status Value='1.6 x'/><Status/><Other Value='1' Text='t'/></R>"));
    const auto statuses = root->ElementsNamed(QStringLiteral("Status"));
    int32_t status = -1;
    QString text = QStringLiteral("unchanged");
    service.LoadStatus(statuses->Item(0), status, text);
    EXPECT_EQ(status, 2) << "leading number, rounded";
    EXPECT_EQ(text, QString());
    service.LoadStatus(statuses->Item(1), status, text);
    EXPECT_EQ(status, 0);

    status = 7;
    text = QStringLiteral("kept");
    EXPECT_EQ(caughtError([&] { service.LoadStatus(root->FindChildElement(QStringLiteral("Other")), status, text); })
                  .number(),
              com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { service.LoadStatus(nullptr, status, text); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { service.SaveStatus(nullptr, 1, {}); }).number(), com::errObjectNotSet);
    EXPECT_EQ(status, 7);
    EXPECT_EQ(text, QStringLiteral("kept"));
}

} // namespace
