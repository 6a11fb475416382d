#include "CaughtError.h"

#include "HostErrors.h"
#include "xml/XmlService.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Nelvar::IXmlDocument;
using Nelvar::IXmlFile;

class XmlFileTest : public ::testing::Test {
protected:
    std::shared_ptr<IXmlDocument> newDocument() { return service.CreateDocument(); }
    static std::shared_ptr<IXmlFile> fileOf(const std::shared_ptr<IXmlDocument>& document)
    {
        return std::dynamic_pointer_cast<IXmlFile>(document);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A loaded document whose root holds one "Kept" element, to see that failed loads keep it.
    std::shared_ptr<IXmlDocument> documentHoldingKept()
    {
        auto document = newDocument();
        document->LoadXml(QStringLiteral("<Kept/>"));
        return document;
    }

    host::XmlService service;
    QTemporaryDir folder;
};

TEST_F(XmlFileTest, SavedTreeReloadsAndSavesToTheSameBytes)
{
    const auto document = newDocument();
    const auto root = document->CreateElement(QStringLiteral("ResultItem"));
    document->setDocumentElement(root);
    root->SetAttribute(QStringLiteral("Version"), 2);
    root->SetAttribute(QStringLiteral("Average"), 0.1f);
    root->SetAttribute(QStringLiteral("Title"), QStringLiteral("a&b <\"c\"> 'd'"));
    root->AddChildElement(QStringLiteral("Measurement"), QStringLiteral("12.5"))
        ->SetAttribute(QStringLiteral("Key"), QStringLiteral("TIVO"));
    root->AddChildElement(QStringLiteral("Comment"), QStringLiteral("line 1\r\nline 2 & µ <3>"));
    root->AddChildElement(QStringLiteral("Blank"), QStringLiteral("  "));
    const auto trends = document->CreateElement(QStringLiteral("Trends"));
    trends->AddChildElement(QStringLiteral("Trend"));
    root->AppendChild(service.SaveStatus(document, 1, QStringLiteral("Pass")));
    root->AppendChild(trends);

    fileOf(document)->Save(path(QStringLiteral("first.xml")));
    const QByteArray first = bytesOf(QStringLiteral("first.xml"));
    EXPECT_EQ(first.toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<ResultItem Version=\"2\" Average=\"0.1\" Title=\"a&amp;b &lt;&quot;c&quot;> 'd'\">\n"
              "\t<Measurement Key=\"TIVO\">12.5</Measurement>\n"
              "\t<Comment>line 1\r\nline 2 &amp; \xC2\xB5 &lt;3&gt;</Comment>\n"
              "\t<Blank>  </Blank>\n"
              "\t<Status Value=\"1\" Text=\"Pass\" />\n"
              "\t<Trends>\n"
              "\t\t<Trend />\n"
              "\t</Trends>\n"
              "</ResultItem>\n");

    const auto reloaded = newDocument();
    fileOf(reloaded)->Load(path(QStringLiteral("first.xml")));
    const auto reloadedRoot = reloaded->DocumentElement();
    ASSERT_NE(reloadedRoot, nullptr);
    EXPECT_EQ(reloadedRoot->FindChildElement(QStringLiteral("Comment"))->Text(), QStringLiteral("line 1\r\nline 2 & µ <3>"));
    EXPECT_EQ(reloadedRoot->FindChildElement(QStringLiteral("Blank"))->Text(), QStringLiteral("  "));
    EXPECT_EQ(reloadedRoot->GetAttribute(QStringLiteral("Title")), QStringLiteral("a&b <\"c\"> 'd'"));
    EXPECT_EQ(reloadedRoot->GetAttribute(QStringLiteral("Average")).toFloat(), 0.1f);
    fileOf(reloaded)->Save(path(QStringLiteral("second.xml")));
    EXPECT_EQ(bytesOf(QStringLiteral("second.xml")), first);
    EXPECT_EQ(reloaded->Xml(), QString::fromUtf8(first));
}

TEST_F(XmlFileTest, ForeignFileKeepsItsCommentsAndLosesNoText)
{
    writeFile(QStringLiteral("foreign.xml"),
              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- made elsewhere -->\r\n"
              "<TemplateData>\r\n  <!-- entry -->\r\n  <TestElement ClassName=\"ZeltorTests.CTestVentilator\" ID=\"100\"/>\r\n"
              "</TemplateData>\r\n");
    const auto document = newDocument();
    fileOf(document)->Load(path(QStringLiteral("foreign.xml")));
    EXPECT_EQ(document->DocumentElement()->ChildElements()->Count(), 1);
    EXPECT_EQ(document->Xml().toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made elsewhere -->\n"
              "<TemplateData>\n\t<!-- entry -->\n\t<TestElement ClassName=\"ZeltorTests.CTestVentilator\" ID=\"100\" />\n"
              "</TemplateData>\n");
}

TEST_F(XmlFileTest, MissingFileRaisesFileNotFound)
{
    const auto document = documentHoldingKept();
    const com::Error error = caughtError([&] { fileOf(document)->Load(path(QStringLiteral("absent.xml"))); });
    EXPECT_EQ(error.number(), com::errFileNotFound);
    EXPECT_TRUE(error.description().contains(QStringLiteral("absent.xml")));
    EXPECT_EQ(document->DocumentElement()->TagName(), QStringLiteral("Kept"));
}

TEST_F(XmlFileTest, MalformedFilesRaiseTheXmlErrorWithReasonAndOffset)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    for (const Case& c : {Case{"mismatch", "<a><b></a>"}, Case{"empty", ""}, Case{"text", "just text"},
                          Case{"truncated", "<a x=\"1"}, Case{"binary", QByteArray("\x00\xFF\xFE<\x01\x80", 6)},
                          Case{"declaration only", "<?xml version=\"1.0\"?>"}}) {
        SCOPED_TRACE(c.name);
        writeFile(QStringLiteral("bad.xml"), c.bytes);
        const auto document = documentHoldingKept();
        const com::Error error = caughtError([&] { fileOf(document)->Load(path(QStringLiteral("bad.xml"))); });
        EXPECT_EQ(error.number(), host::errors::kXmlMalformed);
        EXPECT_TRUE(error.description().contains(QStringLiteral("bad.xml"))) << error.what();
        EXPECT_TRUE(error.description().contains(QStringLiteral("at offset"))) << error.what();
        EXPECT_EQ(document->DocumentElement()->TagName(), QStringLiteral("Kept"));
    }
    const auto document = documentHoldingKept();
    EXPECT_EQ(caughtError([&] { document->LoadXml(QStringLiteral("<a><b></a>")); }).number(), host::errors::kXmlMalformed);
    EXPECT_EQ(document->DocumentElement()->TagName(), QStringLiteral("Kept"));
}

TEST_F(XmlFileTest, FolderOrUnwritablePathRaisesFileAccess)
{
    const auto document = documentHoldingKept();
    EXPECT_EQ(caughtError([&] { fileOf(document)->Load(folder.path()); }).number(), host::errors::kPathFileAccess);
    EXPECT_EQ(caughtError([&] { fileOf(document)->Save(path(QStringLiteral("no/such/folder/x.xml"))); }).number(),
              host::errors::kPathFileAccess);
    EXPECT_FALSE(QDir(path(QStringLiteral("no"))).exists());
}

} // namespace
