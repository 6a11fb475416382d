#include "HostFixture.h"

#include "MComUtils.h"
#include "ResultFrame.h"
#include "VtiTypes.h"

#include "com/Error.h"

#include <QLocale>
#include <QRandomGenerator>

#include <clocale>

using namespace ZeltorVTI;

class CommandFramesTest : public HostFixture {};

TEST_F(CommandFramesTest, FramesAreBuiltByteForByte)
{
    const std::vector<com::Value> twoTexts{QStringLiteral("a"), QStringLiteral("b")};
    const struct {
        QString command;
        com::Value parameters;
        QByteArray frame;
    } cases[] = {
        {QStringLiteral("IREM"), {}, "$IREM\r"},
        {QStringLiteral("#GPD"), int32_t{2}, "$#GPD,2\r"},
        {QStringLiteral("PMTD"), com::Value(twoTexts), "$PMTD,a,b\r"},
        {QStringLiteral("STST"), com::Value(std::vector<com::Value>{}), "$STST\r"},
        {QStringLiteral("STST"), 0.5, "$STST,.5\r"},
        {QStringLiteral("STST"), -0.25f, "$STST,-.25\r"},
        {QStringLiteral("STST"), true, "$STST,True\r"},
        {QStringLiteral("#PPD"), QStringLiteral("a,b\\c"), "$#PPD,a\\,b\\\\c\r"},
        // A carriage return inside a parameter is escaped too, so it cannot end the frame early.
        {QStringLiteral("#PPD"), QStringLiteral("x\r$EREM"), "$#PPD,x\\\r$EREM\r"},
        {QStringLiteral("PMTD"), QStringLiteral("caf\u00e9 \u20ac"), "$PMTD,caf\xe9 \x80\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame.toStdString());
        EXPECT_EQ(MComUtils::BuildMessage(c.command, c.parameters), c.frame);
    }
}

TEST_F(CommandFramesTest, FloatingParametersUseAPointInEveryLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(MComUtils::EscapeParameter(0.5), QStringLiteral(".5"));
    EXPECT_EQ(MComUtils::EscapeParameter(1234.5f), QStringLiteral("1234.5"));
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

TEST_F(CommandFramesTest, RepliesAreParsedWithEscapes)
{
    const struct {
        QByteArray reply;
        QString command;
        QStringList parameters;
    } cases[] = {
        {"$irem,Zeltor VT,ZT-1,3.01\r", QStringLiteral("irem"), {QStringLiteral("Zeltor VT"), QStringLiteral("ZT-1"), QStringLiteral("3.01")}},
        {"$gmtd\r", QStringLiteral("gmtd"), {}},
        {"$#gpl,,\r", QStringLiteral("#gpl"), {QString(), QString()}},
        {"$x,a\\,b,c\\\rd,e\\\\f\r", QStringLiteral("x"), {QStringLiteral("a,b"), QStringLiteral("c\rd"), QStringLiteral("e\\f")}},
        {"$x,a,b", QStringLiteral("x"), {QStringLiteral("a")}}, // the last field has no end
        {"$x,a\rjunk,b\r", QStringLiteral("x"), {QStringLiteral("a")}},
        {"?ok\r", QStringLiteral("ok"), {}}, // the marker is not examined
        {"$caf\xe9\r", QStringLiteral("caf\u00e9"), {}},
        {"", QString(), {}},
        {"$", QString(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        QString command = QStringLiteral("stale");
        QStringList parameters{QStringLiteral("stale")};
        EXPECT_EQ(MComUtils::ParseMessage(c.reply, command, parameters), c.parameters.size());
        EXPECT_EQ(command, c.command);
        EXPECT_EQ(parameters, c.parameters);
    }
}

TEST_F(CommandFramesTest, ReplyCheckIsExactAndCaseSensitive)
{
    EXPECT_NO_THROW(MComUtils::CheckReply(QStringLiteral("irem"), {}, QStringLiteral("irem")));
    for (const QString& wrong : {QStringLiteral("IREM"), QString(), QStringLiteral("erem")}) {
        try {
            MComUtils::CheckReply(wrong, {}, QStringLiteral("irem"));
            ADD_FAILURE() << "accepted " << wrong.toStdString();
        } catch (const com::Error& error) {
            EXPECT_EQ(error.number(), eeVTI_InvalidMsgReceived);
            EXPECT_EQ(error.source(), QStringLiteral("ZeltorVTI.MComUtils"));
        }
    }
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(CommandFramesTest, ErrmReplyShowsTheInstrumentErrorAndRaises)
{
    try {
        MComUtils::CheckReply(QStringLiteral("ERRM"), {QStringLiteral("#GPD"), QStringLiteral("1003")},
                              QStringLiteral("#gpd"));
        ADD_FAILURE() << "ERRM accepted";
    } catch (const com::Error& error) {
        EXPECT_EQ(error.number(), eeVTI_MTIError);
        EXPECT_EQ(error.source(), QStringLiteral("ZeltorVTI.MComUtils"));
    }
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Error received from MTI:1003\r\nInvalid parameter\r\n"
                                                     "Occurred when performing #GPD\r\n"));
}

// Whatever arrives from the instrument, parsing and decoding end without a crash or a hang.
TEST_F(CommandFramesTest, RandomAndTruncatedBytesNeverCrashTheParserOrTheDecoder)
{
    QRandomGenerator random(20261210);
    const QByteArray valid = QByteArray::fromHex("24443100000003E80000000A00000BB8000003F50D");
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        if (i % 3 == 0) {
            bytes = valid.left(static_cast<qsizetype>(random.bounded(valid.size() + 1)));
        } else {
            bytes.resize(static_cast<qsizetype>(random.bounded(64)));
            for (char& b : bytes)
                b = static_cast<char>(i % 2 ? random.bounded(256) : "$,\\\rab"[random.bounded(6)]);
        }
        QString command;
        QStringList parameters;
        const int32_t count = MComUtils::ParseMessage(bytes, command, parameters);
        ASSERT_EQ(count, parameters.size());
        ASSERT_LE(count, bytes.size());
        int32_t type = -1, seq = -1;
        com::Value result;
        ReadResultFrame(bytes, static_cast<int32_t>(i % 4) + 1, type, seq, result);
        if (bytes.isEmpty() || bytes.at(0) != '$') {
            ASSERT_EQ(type, -1);
            ASSERT_TRUE(result.isEmpty());
        } else {
            ASSERT_EQ(result.array().items.size(), 4u);
        }
    }
}
