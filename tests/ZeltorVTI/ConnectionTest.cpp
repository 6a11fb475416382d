#include "VtiFixture.h"

#include "CParameterView.h"

#include "Instruments.h"
#include "com/ClassRegistry.h"
#include "events/EventLoop.h"
#include "serial/DataLink.h"
#include "serial/FrameBuffer.h"
#include "serial/PortFinder.h"

using namespace ZeltorVTI;

namespace {

constexpr int32_t kVtiError = eeVTI_Error;

// A host instrument record that takes the identity but fails on every read of it.
class FailingInstrumentInfo final : public Nelvar::IInstrumentInfo {
public:
    void SetType(const QString&, int32_t) override {}
    void SetIdentity(const QString&, const QString&, const QString&) override {}
    QString TypeName() const override { fail(); }
    int32_t ID() const override { fail(); }
    QString SerialNo() const override { fail(); }
    QString FWVersion() const override { fail(); }

private:
    [[noreturn]] static void fail() { throw com::Error(5, QStringLiteral("Host.InstrumentInfo"), QStringLiteral("gone")); }
};

} // namespace

class ConnectionTest : public VtiFixture {};

TEST_F(ConnectionTest, StartRemoteSendsIremAndReadsTheIdentity)
{
    connect();
    EXPECT_EQ(sentFrames(), QStringList{QStringLiteral("$IREM\r")});
    EXPECT_EQ(vti()->MTIName(), QStringLiteral("Zeltor"));
    EXPECT_EQ(vti()->SerialNo(), QStringLiteral("ZT-100234"));
    EXPECT_EQ(vti()->FWVersion(), QStringLiteral("3.01"));
    EXPECT_EQ(vti()->FWVersionMajor(), 3);
    EXPECT_EQ(vti()->State(), serial::edlsOpen);
    EXPECT_TRUE(boxes->shown().empty());

    const auto info = vti()->StartRemote(); // already idle: nothing is sent
    EXPECT_EQ(sentFrames().size(), 1);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->TypeName(), QStringLiteral("Zeltor"));
    EXPECT_EQ(info->ID(), 0);
}

TEST_F(ConnectionTest, ShortRemoteReplyIsAcceptedWithEmptyIdentity)
{
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT\r");
    vti()->StartRemote();
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);
    EXPECT_EQ(vti()->SerialNo(), QString());
    EXPECT_EQ(vti()->FWVersion(), QString());
    EXPECT_EQ(vti()->FWVersionMajor(), 0);
}

TEST_F(ConnectionTest, NonNumericFirmwareKeepsTheMajorVersion)
{
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,beta.2\r");
    vti()->StartRemote();
    EXPECT_EQ(vti()->FWVersion(), QStringLiteral("beta.2"));
    EXPECT_EQ(vti()->FWVersionMajor(), 0);
}

TEST_F(ConnectionTest, IdentityAccessorsGiveEmptyTextsWhenTheInstrumentRecordFails)
{
    com::ClassRegistry::instance().add({QStringLiteral("Test.FailingInstrumentInfo"),
                                        QString::fromLatin1(Nelvar::kInstrumentInfoClassId),
                                        [] { return std::make_shared<FailingInstrumentInfo>(); }});
    connect();
    EXPECT_EQ(vti()->FWVersion(), QString());
    EXPECT_EQ(vti()->MTIName(), QString());
    EXPECT_EQ(vti()->SerialNo(), QString());
    EXPECT_EQ(vti()->FWVersionMajor(), 3); // taken from the reply, not from the record
    instrument.reply(QStringLiteral("GMTD"), "$gmtd,Ann,Ward 4,ZT-1\r");
    EXPECT_EQ(vti()->GetMTISettings().at(3), com::Value(QString()));
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, NoInstrumentFoundShowsNoZeltorAndRaisesVtiError)
{
    serial::setConfiguredPort(QStringLiteral("/nonexistent/tty"));
    EXPECT_EQ(errorOf([&] { vti()->StartRemote(); }), kVtiError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kNoZeltorText);
    EXPECT_EQ(boxes->shown()[0].title, kCommunicationErrorCaption);
    EXPECT_EQ(boxes->shown()[0].style, 0);
    EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);
    EXPECT_EQ(vti()->State(), 0);
}

TEST_F(ConnectionTest, ReplyTimeoutAfter3500MsShowsNoZeltorAndClosesTheLink)
{
    const int64_t start = loop->now();
    EXPECT_EQ(errorOf([&] { vti()->StartRemote(); }), kVtiError);
    EXPECT_GE(loop->now() - start, kReplyTimeoutMs);
    EXPECT_LT(loop->now() - start, kReplyTimeoutMs + 50);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kNoZeltorText);
    EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);
    EXPECT_EQ(vti()->State(), 0);
}

TEST_F(ConnectionTest, WrongReplyShowsInvalidData)
{
    instrument.reply(QStringLiteral("IREM"), "$IREM,x,y,3.0\r");
    EXPECT_EQ(errorOf([&] { vti()->StartRemote(); }), kVtiError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kInvalidDataText);
    EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);
}

TEST_F(ConnectionTest, InstrumentErrorIsShownOnceAndRaisesVtiError)
{
    connect();
    instrument.reply(QStringLiteral("STST"), "$ERRM,STST,6002,Lung not attached\r");
    EXPECT_EQ(errorOf([&] { vti()->StartTest({com::Value(QStringLiteral("100"))}); }), kVtiError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Error received from MTI:6002\r\nTest not allowed\r\n"
                                                     "Occurred when performing STST\r\nLung not attached"));
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);
}

TEST_F(ConnectionTest, StartTestSendsTheElementsOfOneArrayAndSkipsTheReplyWhenStreaming)
{
    connect();
    vti()->SetDataLinkMode(serial::edlmStreaming, eds32Bit);
    const com::Value params(std::vector<com::Value>{QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("0"),
                                                    QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("0"),
                                                    QStringLiteral("0"), QStringLiteral("0")});
    vti()->StartTest({params});
    loop->advance(5);
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$STST,100,1,0,5,1,0,0,0\r"));
    EXPECT_EQ(vti()->ConnectionState(), evtiPerformingTest);
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, StartTestInCommandModeChecksTheReply)
{
    connect();
    instrument.reply(QStringLiteral("STST"), "$stst\r");
    vti()->StartTest({com::Value(int32_t{200}), com::Value(0.5)});
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$STST,200,.5\r"));
    EXPECT_EQ(vti()->ConnectionState(), evtiPerformingTest);
}

TEST_F(ConnectionTest, StartTestWithoutParametersFailsBackToIdle)
{
    connect();
    EXPECT_EQ(errorOf([&] { vti()->StartTest({}); }), kVtiError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_TRUE(boxes->shown()[0].text.startsWith(QStringLiteral("Unknown error number 9\r\n")));
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);
    EXPECT_EQ(sentFrames().size(), 1);
}

TEST_F(ConnectionTest, MembersCalledWhileNotConnectedShowNoZeltorAndRaiseVtiError)
{
    const std::vector<std::pair<const char*, std::function<void()>>> calls{
        {"StartTest", [&] { vti()->StartTest({com::Value(1)}); }},
        {"GetTestResult", [&] { int32_t t, s; com::Value r; vti()->GetTestResult(t, s, r); }},
        {"GetParameterView", [&] { vti()->GetParameterView(1); }},
        {"GetParameterViewList", [&] { vti()->GetParameterViewList(); }},
        {"UploadParameterView", [&] { vti()->UploadParameterView(std::make_shared<CParameterView>()); }},
        {"GetMTISettings", [&] { vti()->GetMTISettings(); }},
        {"ApplyMTISettings", [&] { vti()->ApplyMTISettings({}, {}, {}); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        boxes->clear();
        EXPECT_EQ(errorOf(call), kVtiError);
        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(boxes->shown()[0].text, kNoZeltorText);
        EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);
    }
    EXPECT_TRUE(instrument.received().empty());
}

TEST_F(ConnectionTest, GetTestResultOutsideAMeasurementLeavesTheResult)
{
    connect();
    int32_t type = 7, seq = 7;
    com::Value result(QStringLiteral("untouched"));
    vti()->GetTestResult(type, seq, result);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(seq, 0);
    EXPECT_EQ(result, com::Value(QStringLiteral("untouched")));
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, GetTestResultDecodesStreamedFrames)
{
    connect();
    vti()->SetDataLinkMode(serial::edlmStreaming, eds32Bit);
    vti()->StartTest({com::Value(QStringLiteral("100"))});
    instrument.write(QByteArray::fromHex("24 41 33 00 00000096 000001F4 FFFFFFFE 000007D0 0D"));
    loop->advance(5); // nothing follows it yet: it comes once the line has been quiet a while
    EXPECT_EQ(vti()->BufferCount(), 0);
    loop->advance(serial::FrameBuffer::kQuietMs);
    ASSERT_EQ(vti()->BufferCount(), 1);
    int32_t type = 0, seq = 0;
    com::Value result;
    vti()->GetTestResult(type, seq, result);
    EXPECT_EQ(type, 'A');
    EXPECT_EQ(seq, 3);
    EXPECT_EQ(result, com::Value(std::vector<com::Value>{150, 500, -2, 2000}));
    EXPECT_EQ(vti()->BufferCount(), 0);
}

TEST_F(ConnectionTest, StopTestSendsAbortOnlyDuringAMeasurement)
{
    vti()->StopTest(); // no link: stays not connected
    EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);

    connect();
    vti()->StopTest();
    EXPECT_EQ(sentFrames().size(), 1);
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);

    vti()->SetDataLinkMode(serial::edlmStreaming, eds32Bit);
    vti()->StartTest({com::Value(QStringLiteral("100"))});
    vti()->StopTest();
    loop->advance(5);
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$ATST\r"));
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, StopTestInCommandModeCarriesOnAfterATimeout)
{
    connect();
    instrument.reply(QStringLiteral("STST"), "$stst\r");
    vti()->StartTest({com::Value(QStringLiteral("300"))});
    vti()->StopTest(); // no reply comes
    EXPECT_EQ(vti()->ConnectionState(), evtiIdle);
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, EndRemoteLeavesRemoteModeAndForgetsTheIdentity)
{
    connect();
    instrument.reply(QStringLiteral("EREM"), "$erem\r");
    vti()->EndRemote();
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$EREM\r"));
    EXPECT_EQ(vti()->ConnectionState(), evtiNotConnected);
    EXPECT_EQ(vti()->MTIName(), QString());
    EXPECT_EQ(vti()->SerialNo(), QString());
    EXPECT_EQ(vti()->FWVersion(), QString());
    EXPECT_EQ(vti()->FWVersionMajor(), 3);
    EXPECT_EQ(vti()->State(), 0);

    vti()->EndRemote(); // no link: nothing happens
    EXPECT_EQ(sentFrames().size(), 2);
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, SetDataLinkModeCutsStreamedFramesAtTheFrameSize)
{
    vti()->SetDataLinkMode(serial::edlmStreaming, eds16Bit); // no link: ignored
    connect();
    vti()->SetDataLinkMode(serial::edlmStreaming); // frame size 0 cuts nothing
    instrument.write(QByteArray(26, '\x01'));
    loop->advance(5);
    EXPECT_EQ(vti()->BufferCount(), 0);
    vti()->SetDataLinkMode(serial::edlmStreaming, eds16Bit);
    EXPECT_EQ(vti()->BufferCount(), 2);
    vti()->SetDataLinkMode(7, eds32Bit); // an unknown mode changes nothing
    EXPECT_EQ(vti()->BufferCount(), 2);
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, SettingsAreReadWithTheFirmwareVersionAndWritten)
{
    connect();
    instrument.reply(QStringLiteral("GMTD"), "$gmtd,Ann,Ward 4\\, North,ZT-1\r");
    EXPECT_EQ(vti()->GetMTISettings(),
              com::Value(std::vector<com::Value>{QStringLiteral("Ann"), QStringLiteral("Ward 4, North"),
                                                 QStringLiteral("ZT-1"), QStringLiteral("3.01")}));

    instrument.reply(QStringLiteral("GMTD"), "$gmtd\r");
    EXPECT_EQ(vti()->GetMTISettings(),
              com::Value(std::vector<com::Value>{QString(), QString(), QString(), QString()}));

    instrument.reply(QStringLiteral("PMTD"), "$gmtd,Bo,Lab,ZT-2\r");
    vti()->ApplyMTISettings(QStringLiteral("Bo"), QStringLiteral("Lab"), QStringLiteral("ZT-2"));
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$PMTD,Bo,Lab,ZT-2\r"));
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(ConnectionTest, SettingsReplyWithMissingFieldsFails)
{
    connect();
    instrument.reply(QStringLiteral("GMTD"), "$gmtd,Ann,Ward\r");
    EXPECT_EQ(errorOf([&] { vti()->GetMTISettings(); }), kVtiError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_TRUE(boxes->shown()[0].text.startsWith(QStringLiteral("Unknown error number 9")));
}

TEST_F(ConnectionTest, SettingsOutsideIdleAreFourEmptyTexts)
{
    connect();
    vti()->SetDataLinkMode(serial::edlmStreaming, eds32Bit);
    vti()->StartTest({com::Value(QStringLiteral("100"))});
    EXPECT_EQ(vti()->GetMTISettings(),
              com::Value(std::vector<com::Value>{QString(), QString(), QString(), QString()}));
    EXPECT_TRUE(vti()->GetParameterViewList().isEmpty());
}

TEST_F(ConnectionTest, ParameterViewCommands)
{
    connect();
    instrument.reply(QStringLiteral("#GPL"), "$#gpl,Rate,,Volume,,,,,,\r");
    const com::Value list = vti()->GetParameterViewList();
    ASSERT_EQ(list.array().items.size(), 9u);
    EXPECT_EQ(list.at(0).toString(), QStringLiteral("Rate"));
    EXPECT_EQ(list.at(2).toString(), QStringLiteral("Volume"));

    instrument.reply(QStringLiteral("#GPD"), "$#gpd,3,Rate,BRRA,IERA\r");
    EXPECT_EQ(vti()->GetParameterView(3),
              com::Value(std::vector<com::Value>{QStringLiteral("3"), QStringLiteral("Rate"), QStringLiteral("BRRA"),
                                                 QStringLiteral("IERA")}));
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$#GPD,3\r"));

    instrument.reply(QStringLiteral("#PPD"), "$#ppd\r");
    auto view = std::make_shared<CParameterView>();
    view->setSlotNumber(3);
    view->setDescription(QStringLiteral("Rate, fast"));
    view->SetPredefinedViewRate(epvRate);
    vti()->UploadParameterView(view);
    EXPECT_EQ(sentFrames().last(), QStringLiteral("$#PPD,3,Rate\\, fast,BRRA,IERA\r"));

    EXPECT_EQ(errorOf([&] { vti()->UploadParameterView(nullptr); }), kVtiError);
    EXPECT_EQ(boxes->shown().size(), 1u);
}

// The instrument has nine display slots: a list reply with more fields than that lists nine.
TEST_F(ConnectionTest, ViewListGivesTheInstrumentsNineSlotsAtMost)
{
    connect();
    const struct {
        int fields;
        size_t listed;
    } cases[] = {{200'000, 9}, {10, 9}, {9, 9}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        QByteArray reply("$#gpl");
        for (int i = 1; i <= c.fields; ++i)
            reply += ",View " + QByteArray::number(i);
        instrument.reply(QStringLiteral("#GPL"), reply + "\r");
        const com::Value list = vti()->GetParameterViewList();
        ASSERT_EQ(list.array().items.size(), c.listed);
        EXPECT_EQ(list.at(0).toString(), QStringLiteral("View 1"));
        EXPECT_EQ(list.at(static_cast<int32_t>(c.listed) - 1).toString(), QStringLiteral("View %1").arg(c.listed));
    }
    EXPECT_TRUE(boxes->shown().empty());
}

// A wait nested inside another (a timer tick that sends a command while the outer command's reply
// is awaited) has its own deadline and does not make the outer wait endless.
TEST_F(ConnectionTest, NestedWaitsKeepTheirOwnDeadlines)
{
    connect();
    instrument.reply(QStringLiteral("#GPL"), "$#gpl,,,,,,,,,\r");
    auto tick = events::EventLoop::current().createTimer();
    bool nestedDone = false;
    tick->setTick([&] {
        tick->setEnabled(false);
        vti()->GetParameterViewList();
        nestedDone = true;
    });
    tick->setInterval(1000);
    tick->setEnabled(true);

    const int64_t start = loop->now();
    EXPECT_EQ(errorOf([&] { vti()->GetParameterView(1); }), kVtiError); // #GPD is never answered
    EXPECT_TRUE(nestedDone);
    EXPECT_GE(loop->now() - start, kReplyTimeoutMs);
    EXPECT_LT(loop->now() - start, kReplyTimeoutMs + 50);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kNoZeltorText);
}

TEST_F(ConnectionTest, WaitEndsAtOnceWhenTheLinkFails)
{
    connect();
    loop->at(loop->now() + 100, [&] { instrument.breakLink(); });
    const int64_t start = loop->now();
    EXPECT_EQ(errorOf([&] { vti()->GetParameterViewList(); }), kVtiError);
    EXPECT_LT(loop->now() - start, 200);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kCommunicationErrorText);
}

// The connection is released by a call made during the wait (the run stops and drops it): the
// waiting member still returns through its failure path, and nothing is used after release.
TEST_F(ConnectionTest, ConnectionReleasedDuringAWaitStaysAliveUntilTheCallReturns)
{
    connect();
    instrument.reply(QStringLiteral("EREM"), "$erem\r");
    const std::weak_ptr<CZeltorVTI> watched = vti();
    loop->at(loop->now() + 100, [&] {
        vti()->EndRemote();
        GMTI.ResetVTI();
    });
    const int64_t start = loop->now();
    EXPECT_EQ(errorOf([&] { watched.lock()->GetParameterViewList(); }), kVtiError);
    EXPECT_LT(loop->now() - start, 200);
    EXPECT_TRUE(watched.expired());
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, kNoZeltorText);
}

TEST_F(ConnectionTest, ReplyWaitDoesNotMarkTheConnectionBusy)
{
    connect();
    instrument.reply(QStringLiteral("#GPL"), "$#gpl,,,,,,,,,\r");
    std::optional<EVtiState> stateDuringWait;
    loop->at(loop->now() + 1, [&] { stateDuringWait = vti()->ConnectionState(); });
    vti()->GetParameterViewList();
    EXPECT_EQ(stateDuringWait, evtiIdle);
}
