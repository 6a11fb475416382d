#include "CaughtError.h"

#include "HostErrors.h"
#include "services/LanguageService.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class LanguageServiceTest : public ::testing::Test {
protected:
    QString writeFile(const QByteArray& bytes) const
    {
        const QString path = folder.filePath(QStringLiteral("zeltor.lang"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString text(const QString& key, const QStringList& arguments = {})
    {
        return service.GetText(QStringLiteral("Zeltor"), key, arguments);
    }

    host::LanguageService service;
    QTemporaryDir folder;
};

TEST_F(LanguageServiceTest, WithoutTranslationsTheDefaultTextIsShown)
{
    struct Case {
        QString key;
        QStringList arguments;
        QString expected;
    };
    for (const Case& c : {
             Case{"20011::Ventilator test", {}, "Ventilator test"},
             Case{"21009::Firmware version %%1. \r\nNot supported.", {"2.10"}, "Firmware version 2.10. \r\nNot supported."},
             Case{"Time Elapsed: ", {}, "Time Elapsed: "},
             Case{"1::%%2 of %%1", {"a", "b"}, "b of a"},
             Case{"1::%%1 and %%2", {"%%2", "x"}, "%%2 and x"},
             Case{"1::%%1, %%2, %%10", {"a"}, "a, %%2, %%10"},
             Case{"1::100%% sure", {"a"}, "100%% sure"},
             Case{"20100::a::b", {}, "a::b"},
             Case{"Error::text", {}, "Error::text"},
             Case{"::text", {}, "::text"},
             Case{"", {}, ""},
         }) {
        EXPECT_EQ(text(c.key, c.arguments), c.expected) << c.key.toStdString();
    }
}

TEST_F(LanguageServiceTest, LoadedTableTranslatesByNumberOrEnglishText)
{
    service.loadTranslations(QStringLiteral("ZELTOR"),
                             writeFile("# Zeltor, German\r\n"
                                       "20011\tBeatmungstest\r\n"
                                       "\n"
                                       "Time Elapsed: \tVerstrichene Zeit: \n"
                                       "21009\tFirmware %%1:\\r\\nnicht unterst\xC3\xBCtzt\\t\\\\\n"));
    EXPECT_EQ(text(QStringLiteral("20011::Ventilator test")), QStringLiteral("Beatmungstest"));
    EXPECT_EQ(text(QStringLiteral("Time Elapsed: ")), QStringLiteral("Verstrichene Zeit: "));
    EXPECT_EQ(text(QStringLiteral("21009::Firmware %%1"), {QStringLiteral("2.1")}),
              QStringLiteral("Firmware 2.1:\r\nnicht unterstützt\t\\"));
    EXPECT_EQ(text(QStringLiteral("20012::Leakage test")), QStringLiteral("Leakage test"));
    EXPECT_EQ(text(QStringLiteral("Ventilator test")), QStringLiteral("Ventilator test"));
    EXPECT_EQ(service.GetText(QStringLiteral("Other"), QStringLiteral("20011::Ventilator test")),
              QStringLiteral("Ventilator test"));
}

TEST_F(LanguageServiceTest, BadLanguageFileRaisesAndKeepsThePreviousTable)
{
    service.loadTranslations(QStringLiteral("Zeltor"), writeFile("20011\tBeatmungstest\n"));
    const com::Error malformed = caughtError(
        [&] { service.loadTranslations(QStringLiteral("Zeltor"), writeFile("20011\tA\n20012 no tab\n")); });
    EXPECT_EQ(malformed.number(), host::errors::kLanguageFileMalformed);
    EXPECT_TRUE(malformed.description().contains(QStringLiteral("line 2"))) << malformed.what();
    EXPECT_EQ(caughtError([&] {
                  service.loadTranslations(QStringLiteral("Zeltor"), folder.filePath(QStringLiteral("absent.lang")));
              }).number(),
              com::errFileNotFound);
    EXPECT_EQ(text(QStringLiteral("20011::Ventilator test")), QStringLiteral("Beatmungstest"));
}

} // namespace
