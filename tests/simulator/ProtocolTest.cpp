#include "SimulatorFixture.h"

#include "serial/PortFinder.h"

#include <QRandomGenerator>

namespace simulator::testing {
namespace {

using Protocol = SimulatorFixture;

const QStringList kEmptySlots(9, QString());

TEST_F(Protocol, RemoteModeGivesTheIdentityAndOpensTheOtherCommands)
{
    SimulatorSettings settings;
    settings.identity = {QStringLiteral("Lung, Bench"), QStringLiteral("SN-7"), QStringLiteral("2.10")};
    open(settings);

    EXPECT_EQ(ask("$GMTD\r"), (QStringList{"ERRM", "GMTD", "6004", "not in remote mode"}));
    EXPECT_EQ(ask("$IREM\r"), (QStringList{"irem", "Lung, Bench", "SN-7", "2.10"}));
    EXPECT_EQ(ask("$IREM\r").value(0), "irem") << "remote mode may be entered again";
    EXPECT_EQ(ask("$GMTD\r"), (QStringList{"gmtd", "", "", "SN-7"}));
    EXPECT_EQ(ask("$EREM\r"), QStringList{"erem"});
    EXPECT_EQ(ask("$#GPL\r").mid(0, 3), (QStringList{"ERRM", "#GPL", "6004"}));
}

TEST_F(Protocol, DefaultIdentityIsAThreeFirmware)
{
    open();
    EXPECT_EQ(ask("$IREM\r"), (QStringList{"irem", "Zeltor VT", "ZT-100234", "3.01"}));
}

TEST_F(Protocol, BadCommandsAreRefusedWithTheirErrorNumber)
{
    struct Case {
        const char* frame;
        QString command;
        const char* number;
    };
    const Case cases[] = {
        {"$XXXX\r", "XXXX", "6000"},
        {"$irem\r", "irem", "6000"},
        {"$\r", "", "6000"},
        {"IREM\r", "", "1101"},
        {"\r", "", "1101"},
        {"$IREM,1\r", "IREM", "1002"},
        {"$GMTD,x\r", "GMTD", "1002"},
        {"$#GPL,1\r", "#GPL", "1002"},
        {"$#GPD\r", "#GPD", "1001"},
        {"$#GPD,1,2\r", "#GPD", "1002"},
        {"$#GPD,0\r", "#GPD", "1003"},
        {"$#GPD,10\r", "#GPD", "1003"},
        {"$#GPD,one\r", "#GPD", "1003"},
        {"$#PPD\r", "#PPD", "1001"},
        {"$#PPD,1,x,BRRA,EXPE,EXPF,IERA,INPE,INHO,INPF,INPP,MEEP,MEIP,MIVO,OXLE,PEPR,TEMP,TIVO,BRRA\r", "#PPD", "1002"},
        {"$#PPD,1,x,FLOW\r", "#PPD", "1003"},
        {"$#PPD,1,x,brra\r", "#PPD", "1003"},
        {"$#PPD,1,x,BRRA,BRRA\r", "#PPD", "1003"},
        {"$#PPD,-1,x\r", "#PPD", "1003"},
        {"$PMTD,a,b\r", "PMTD", "1001"},
        {"$PMTD,a,b,c,d\r", "PMTD", "1002"},
        {"$STST,100,0,BTPS\r", "STST", "1001"},
        {"$STST,100,0,BTPS,0,500,10,1,50,9\r", "STST", "1002"},
        {"$STST,600,0,BTPS,0,500,10,1,50\r", "STST", "1003"},
        {"$STST,,0,BTPS,0,500,10,1,50\r", "STST", "1003"},
        {"$ATST\r", "ATST", "6004"},
    };
    open();
    ASSERT_EQ(ask("$IREM\r").value(0), "irem");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        const QStringList reply = ask(c.frame);
        ASSERT_EQ(reply.size(), 4);
        EXPECT_EQ(reply.mid(0, 3), (QStringList{"ERRM", c.command, c.number}));
        EXPECT_FALSE(reply[3].isEmpty()) << "the extra text says what was wrong";
    }
    EXPECT_EQ(ask("$GMTD\r").value(0), "gmtd") << "refusals leave remote mode as it was";
}

TEST_F(Protocol, StartOutsideRemoteModeIsOutOfTurn)
{
    open();
    EXPECT_EQ(ask("$STST,100,0,BTPS,0,500,10,1,50\r").mid(0, 3), (QStringList{"ERRM", "STST", "6004"}));
}

TEST_F(Protocol, ParameterViewsAreUploadedReadAndDeleted)
{
    open();
    ASSERT_EQ(ask("$IREM\r").value(0), "irem");
    EXPECT_EQ(ask("$#GPL\r"), QStringList{"#gpl"} + kEmptySlots);
    EXPECT_EQ(ask("$#GPD,4\r"), (QStringList{"#gpd", "4", ""}));

    EXPECT_EQ(ask("$#PPD,3,Rate,BRRA,IERA\r"), QStringList{"#ppd"});
    EXPECT_EQ(ask("$#PPD,9,a\\,b\\\\c\\\rd,INPE,INHO\r"), QStringList{"#ppd"});
    EXPECT_EQ(ask("$#PPD,1,Nothing yet\r"), QStringList{"#ppd"});

    QStringList expected = QStringList{"#gpl"} + kEmptySlots;
    expected[1] = "Nothing yet";
    expected[3] = "Rate";
    expected[9] = "a,b\\c\rd";
    EXPECT_EQ(ask("$#GPL\r"), expected);
    EXPECT_EQ(ask("$#GPD,3\r"), (QStringList{"#gpd", "3", "Rate", "BRRA", "IERA"}));
    EXPECT_EQ(ask("$#GPD,9\r"), (QStringList{"#gpd", "9", "a,b\\c\rd", "INPE", "INHO"}));

    // The control panel deletes with the slot and an empty description; the slot alone does too.
    EXPECT_EQ(ask("$#PPD,3,\r"), QStringList{"#ppd"});
    EXPECT_EQ(ask("$#PPD,9\r"), QStringList{"#ppd"});
    EXPECT_EQ(ask("$#GPD,3\r"), (QStringList{"#gpd", "3", ""}));
    expected[3].clear();
    expected[9].clear();
    EXPECT_EQ(ask("$#GPL\r"), expected);

    EXPECT_EQ(ask("$#PPD,1,x,FLOW\r").value(2), "1003");
    EXPECT_EQ(ask("$#GPD,1\r"), (QStringList{"#gpd", "1", "Nothing yet"})) << "a refused upload keeps the slot";
}

TEST_F(Protocol, AViewSentForSlotZeroTakesTheLowestEmptySlot)
{
    open();
    ASSERT_EQ(ask("$IREM\r").value(0), "irem");
    ask("$#PPD,1,First\r");
    ask("$#PPD,3,Third\r");
    EXPECT_EQ(ask("$#PPD,0,Mine,BRRA,TEMP\r"), QStringList{"#ppd"});
    EXPECT_EQ(ask("$#GPD,2\r"), (QStringList{"#gpd", "2", "Mine", "BRRA", "TEMP"}));
    EXPECT_EQ(ask("$#PPD,0\r").value(2), "1003") << "slot 0 deletes nothing";

    for (int slot = 4; slot <= 9; ++slot)
        ask(QStringLiteral("$#PPD,%1,View %1\r").arg(slot).toLatin1());
    EXPECT_EQ(ask("$#PPD,0,One too many\r").mid(0, 3), (QStringList{"ERRM", "#PPD", "1003"}));
    EXPECT_EQ(ask("$#GPL\r").mid(1, 3), (QStringList{"First", "Mine", "Third"})) << "a full instrument keeps its views";
}

TEST_F(Protocol, SettingsAreAppliedAndReadBack)
{
    open();
    ASSERT_EQ(ask("$IREM\r").value(0), "irem");
    EXPECT_EQ(ask("$PMTD,Ann\\, Lee,Ward 4,SN-42\r"), (QStringList{"gmtd", "Ann, Lee", "Ward 4", "SN-42"}));
    EXPECT_EQ(ask("$GMTD\r"), (QStringList{"gmtd", "Ann, Lee", "Ward 4", "SN-42"}));
    EXPECT_EQ(ask("$IREM\r"), (QStringList{"irem", "Zeltor VT", "SN-42", "3.01"})) << "one serial number";
}

TEST_F(Protocol, OnlyStopCommandsAreTakenWhileStreaming)
{
    open();
    startTest(100, 21);
    advance(100);
    watchRawBytes();
    for (const char* command : {"STST", "GMTD", "PMTD", "#GPL", "#GPD", "#PPD"}) {
        SCOPED_TRACE(command);
        QByteArray frame = QByteArray("$") + command;
        if (QByteArray(command) == "STST")
            frame += ",200,0,ATPX,1,0,9000,1,10";
        send(frame + "\r");
        advance(5);
        EXPECT_TRUE(rawBytes().contains(QByteArray("$ERRM,") + command + ",6004,"));
    }
}

TEST_F(Protocol, ANewSessionEndsAStreamLeftFromTheLastOne)
{
    open();
    startTest(100, 21);
    advance(1'000);
    watchRawBytes();
    rawBytes();
    send("$IREM\r");
    advance(20);
    EXPECT_TRUE(rawBytes().endsWith("$irem,Zeltor VT,ZT-100234,3.01\r"));
    advance(1'000);
    EXPECT_TRUE(rawBytes().isEmpty()) << "the stream has ended";
}

TEST_F(Protocol, GarbageInputIsRefusedAndTheNextCommandAnswered)
{
    open();
    watchRawBytes();
    QRandomGenerator random(7);
    QByteArray junk;
    for (int i = 0; i < 64 * 1024; ++i)
        junk.append(static_cast<char>(random.bounded(256)));
    send(junk);
    send(QByteArray(10'000, 'A'));
    // Whatever the junk left pending (even an escaping backslash) ends at the second CR.
    send("\r\r$IREM\r");
    advance(20);
    const QByteArray answer = rawBytes();
    EXPECT_TRUE(answer.endsWith("$irem,Zeltor VT,ZT-100234,3.01\r"));
    EXPECT_TRUE(answer.contains("$ERRM,,1101,frame longer than 4096 bytes\r"));
}

TEST_F(Protocol, AnOverlongFrameIsRefusedOnceAndSkippedToItsEnd)
{
    open();
    send(QByteArray(5000, 'A') + "\\\r,still the same frame\r$IREM\r");
    advance(20);
    const std::vector<QByteArray> replies = frames();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replyFields(replies[0]).mid(0, 3), (QStringList{"ERRM", "", "1101"}));
    EXPECT_EQ(replyFields(replies[1]).value(0), "irem");
}

TEST_F(Protocol, CommandsArriveInAnyPieces)
{
    open();
    for (const char byte : QByteArray("$IREM\r$GM"))
        send(QByteArray(1, byte));
    send("TD\r");
    advance(20);
    const std::vector<QByteArray> replies = frames();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replyFields(replies[0]).value(0), "irem");
    EXPECT_EQ(replyFields(replies[1]).value(0), "gmtd");
}

TEST_F(Protocol, FaultsWithholdRefuseAndGarble)
{
    SimulatorSettings settings;
    settings.faults.withholdReplyTo = "gmtd";
    settings.faults.errmFor = "#GPL";
    settings.faults.errmNumber = 6002;
    settings.faults.garbageBeforeReplyTo = "IREM";
    settings.faults.garbage = QByteArray("\x01\xFE", 2);
    open(settings);
    watchRawBytes();

    send("$IREM\r");
    advance(20);
    EXPECT_EQ(rawBytes(), QByteArray("\x01\xFE$irem,Zeltor VT,ZT-100234,3.01\r"));
    send("$GMTD\r");
    advance(5000);
    EXPECT_EQ(rawBytes(), QByteArray()) << "a withheld command gets no answer";
    send("$#GPL\r");
    advance(20);
    EXPECT_EQ(rawBytes(), QByteArray("$ERRM,#GPL,6002,refused on request\r"));
    send("$#GPD,1\r");
    advance(20);
    EXPECT_EQ(rawBytes(), QByteArray("$#gpd,1,\r"));
}

TEST_F(Protocol, WithheldStartStreamsNothing)
{
    SimulatorSettings settings;
    settings.faults.withholdReplyTo = "STST";
    open(settings);
    startTest(100, 21);
    advance(2000);
    EXPECT_TRUE(frames().empty());
}

TEST_F(Protocol, GarbageAtARateKeepsComing)
{
    SimulatorSettings settings;
    settings.faults.garbageEveryMs = 100;
    settings.faults.garbage = "~";
    open(settings);
    watchRawBytes();
    advance(1005);
    EXPECT_EQ(rawBytes(), QByteArray(10, '~'));
}

TEST_F(Protocol, StreamFaultsLoseOneByteAndPutGarbageIn)
{
    const auto streamed = [this](const SimulatorSettings& settings) {
        open(settings);
        ask("$IREM\r");
        watchRawBytes();
        send("$STST,100,0,BTPS,0,500,10,1,50\r");
        advance(500);
        send("$ATST\r");
        advance(20);
        return rawBytes();
    };
    QByteArray expected = streamed({});
    ASSERT_GT(expected.size(), 100);
    SimulatorSettings settings;
    settings.faults.loseStreamByte = 5;
    settings.faults.garbageBeforeStreamByte = 60;
    settings.faults.garbage = "~";
    expected.remove(5, 1);
    expected.insert(59, '~');
    EXPECT_EQ(streamed(settings), expected);

    settings.faults.garbageBeforeStreamByte = 5; // the same byte: the garbage stands in its place
    expected = streamed({});
    expected[5] = '~';
    EXPECT_EQ(streamed(settings), expected);
}

TEST_F(Protocol, EveryOpenOfTheSimPortTalksToOneInstrumentUntilItIsRegisteredAgain)
{
    serial::setConfiguredPort("sim");
    const auto openSim = [this] {
        registerSimulatorPort();
        int32_t id = 0;
        const auto ports = serial::dataLinkManager()->Ports();
        ports->FindInstrument("Zeltor", {}, id);
        ASSERT_EQ(id, 1);
        link = std::dynamic_pointer_cast<serial::MemoryLink>(ports->OpenPort(id, "38400,O,8,1"));
        ASSERT_TRUE(link);
    };
    const auto reopen = [this] {
        link = std::dynamic_pointer_cast<serial::MemoryLink>(
            serial::dataLinkManager()->Ports()->OpenPort(1, "38400,O,8,1"));
        ASSERT_TRUE(link);
    };

    openSim();
    ask("$IREM\r");
    ask("$PMTD,a,b,c\r");
    ask("$#PPD,4,Kept,BRRA\r");

    reopen();
    EXPECT_EQ(ask("$GMTD\r").value(2), "6004") << "each open starts outside remote mode";
    EXPECT_EQ(ask("$IREM\r").value(2), "c");
    EXPECT_EQ(ask("$GMTD\r"), (QStringList{"gmtd", "a", "b", "c"}));
    EXPECT_EQ(ask("$#GPD,4\r"), (QStringList{"#gpd", "4", "Kept", "BRRA"}));

    openSim();
    ask("$IREM\r");
    EXPECT_EQ(ask("$GMTD\r"), (QStringList{"gmtd", "", "", "ZT-100234"}));
    EXPECT_EQ(ask("$#GPD,4\r"), (QStringList{"#gpd", "4", ""}));

    serial::setConfiguredPort({});
    serial::unregisterVirtualPort("sim");
}

TEST(SimulatorSettingsCheck, LungSettingsThatMakeNoBreathAreRejectedAtOnce)
{
    SimulatorSettings settings;
    settings.lung.inspiratoryHoldS = 2.0;
    EXPECT_THROW(registerSimulatorPort(settings), std::invalid_argument);
    EXPECT_THROW(openSimulatorLink(settings), std::invalid_argument);
}

} // namespace
} // namespace simulator::testing
