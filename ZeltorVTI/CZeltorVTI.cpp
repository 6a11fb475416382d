#include "CZeltorVTI.h"

#include "CParameterView.h"
#include "MComUtils.h"
#include "MErrorhandling.h"
#include "ReplyWait.h"
#include "ResultFrame.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Product.h"
#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "events/EventLoop.h"
#include "serial/DataLink.h"

namespace ZeltorVTI {

namespace {

const QString kInstrumentName = QStringLiteral("Zeltor");
const QString kLineSettings = QStringLiteral("38400,O,8,1");
constexpr int32_t kVentilatorTestId = 100;

[[noreturn]] void raiseFromConnection(int32_t number, int32_t flags = 1)
{
    Nelvar::errorService().RaiseError(Zeltor::kProduct, number, kSourceConnection, flags);
    throw com::Error(number, kSourceConnection, {}, flags); // not reached: the error service does not return
}

com::Value textArray(const QStringList& texts)
{
    std::vector<com::Value> values;
    values.reserve(static_cast<size_t>(texts.size()));
    for (const QString& text : texts)
        values.emplace_back(text);
    return com::Value(std::move(values));
}

// One identity text of the instrument record; empty without a record or when reading it fails.
QString identityText(const std::shared_ptr<Nelvar::IInstrumentInfo>& info,
                     QString (Nelvar::IInstrumentInfo::*field)() const)
{
    QString text;
    com::ignoreFailure([&] {
        if (info)
            text = (*info.*field)();
    });
    return text;
}

// The stream a start command asks for: its first parameter is the test identifier, and every
// test but the ventilator test streams single readings.
ResultStream streamStartedBy(const com::Value& startParameters)
{
    bool ventilator = false;
    com::ignoreFailure([&] { ventilator = startParameters.at(0).toInt32() == kVentilatorTestId; });
    return ventilator ? ResultStream::Ventilator : ResultStream::Readings;
}

bool linkIsGone(int32_t number)
{
    return number == eeVTI_NotInitialized || number == serial::kErrLinkFailure;
}

} // namespace

std::shared_ptr<CZeltorVTI> CZeltorVTI::create()
{
    return std::shared_ptr<CZeltorVTI>(new CZeltorVTI);
}

CZeltorVTI::~CZeltorVTI()
{
    CloseLink();
}

int32_t CZeltorVTI::BufferCount() const
{
    int32_t count = 0;
    com::ignoreFailure([&] { count = m_link ? m_link->BufferCount() : 0; });
    return count;
}

QString CZeltorVTI::FWVersion() const
{
    return identityText(m_instrumentInfo, &Nelvar::IInstrumentInfo::FWVersion);
}

QString CZeltorVTI::MTIName() const
{
    return identityText(m_instrumentInfo, &Nelvar::IInstrumentInfo::TypeName);
}

QString CZeltorVTI::Operator() const
{
    return m_state == evtiIdle ? m_operator : QString();
}

QString CZeltorVTI::SerialNo() const
{
    return identityText(m_instrumentInfo, &Nelvar::IInstrumentInfo::SerialNo);
}

int32_t CZeltorVTI::State() const
{
    int32_t state = 0;
    com::ignoreFailure([&] { state = m_link ? m_link->State() : 0; });
    return state;
}

void CZeltorVTI::OpenLink()
{
    const auto manager = serial::dataLinkManager();
    int32_t id = 0;
    manager->Ports()->FindInstrument(kInstrumentName, QString(), id);
    if (id == 0)
        raiseFromConnection(eeVTI_NoMtiFound);
    m_link = manager->Ports()->OpenPort(id, kLineSettings);
}

void CZeltorVTI::CloseLink()
{
    m_state = evtiNotConnected;
    if (const auto closing = std::exchange(m_link, nullptr))
        com::ignoreFailure([&] { closing->Close(); });
}

serial::IDataLink& CZeltorVTI::link() const
{
    if (!m_link)
        raiseFromConnection(eeVTI_NotInitialized);
    return *m_link;
}

void CZeltorVTI::send(const QString& command, const com::Value& parameters)
{
    link().Send(MComUtils::BuildMessage(command, parameters));
}

CZeltorVTI::Reply CZeltorVTI::ReceiveReply()
{
    QByteArray frame;
    try {
        events::EventLoop& loop = events::EventLoop::current();
        const ReplyWait wait(loop, kReplyTimeoutMs);
        while (!wait.timedOut()) {
            loop.pumpOnce();
            serial::IDataLink& current = link(); // a call made during the pump may have closed it
            if (current.State() != serial::edlsOpen)
                throw com::Error(serial::kErrLinkFailure, QString::fromLatin1(serial::kErrorSource),
                                 QStringLiteral("The serial link failed"));
            if (current.BufferCount() != 0) {
                frame = current.Receive();
                break;
            }
        }
        if (wait.timedOut())
            raiseFromConnection(eeVTI_ReceiveTimeout);
    } catch (...) {
        const com::Error error = com::currentError();
        if (error.number() == eeVTI_ReceiveTimeout)
            raiseFromConnection(eeVTI_ReceiveTimeout);
        // Without a link there is nothing to wait for: report that, rather than a wrong reply.
        if (linkIsGone(error.number()))
            throw error;
        return {};
    }
    Reply reply;
    MComUtils::ParseMessage(frame, reply.command, reply.parameters);
    return reply;
}

CZeltorVTI::Reply CZeltorVTI::exchange(const QString& command, const com::Value& parameters,
                                       const QString& expectedReply)
{
    send(command, parameters);
    Reply reply = ReceiveReply();
    MComUtils::CheckReply(reply.command, reply.parameters, expectedReply);
    return reply;
}

void CZeltorVTI::ParseRemoteReply(const Reply& reply)
{
    com::ignoreFailure([&] {
        m_instrumentInfo = com::ClassRegistry::instance().createAs<Nelvar::IInstrumentInfo>(
            QString::fromLatin1(Nelvar::kInstrumentInfoClassId));
    });
    if (!m_instrumentInfo)
        return;
    com::ignoreFailure([&] { m_instrumentInfo->SetType(kInstrumentName, 0); });
    com::ignoreFailure([&] {
        m_instrumentInfo->SetIdentity(reply.parameters.value(0), reply.parameters.value(1),
                                      reply.parameters.value(2));
    });
    if (reply.parameters.size() > 2) {
        com::ignoreFailure([&] {
            const QString major = reply.parameters.at(2).section(QLatin1Char('.'), 0, 0);
            m_firmwareMajor = com::Value(major).toInt32();
        });
    }
}

void CZeltorVTI::raiseForWrongState() const
{
    if (m_state == evtiNotConnected)
        raiseFromConnection(eeVTI_NotInitialized);
    if (m_state == evtiBusy)
        raiseFromConnection(eeVTI_Busy);
}

void CZeltorVTI::failurePath()
{
    const com::Error error = com::currentError();
    if (error.number() != eeVTI_MTIError)
        MErrorhandling::HandleError(error.number(), error.description());
    raiseFromConnection(eeVTI_Error);
}

template <typename Command>
com::Value CZeltorVTI::whenIdle(Command&& command, const com::Value& otherwise)
{
    const auto keepAlive = shared_from_this();
    try {
        raiseForWrongState();
        if (m_state != evtiIdle)
            return otherwise;
        return command();
    } catch (...) {
        failurePath();
    }
}

std::shared_ptr<Nelvar::IInstrumentInfo> CZeltorVTI::StartRemote()
{
    const auto keepAlive = shared_from_this();
    try {
        if (m_state == evtiNotConnected) {
            m_state = evtiConnecting;
            OpenLink();
            if (!m_link)
                raiseFromConnection(eeVTI_Error);
            const Reply reply = exchange(QStringLiteral("IREM"), {}, QStringLiteral("irem"));
            ParseRemoteReply(reply);
            m_state = evtiIdle;
        } else if (m_state == evtiBusy) {
            raiseFromConnection(eeVTI_Busy);
        }
        return m_instrumentInfo;
    } catch (...) {
        const com::Error error = com::currentError();
        if (error.number() != eeVTI_MTIError)
            MErrorhandling::HandleError(error.number(), error.description());
        CloseLink();
        raiseFromConnection(eeVTI_Error);
    }
}

void CZeltorVTI::EndRemote()
{
    const auto keepAlive = shared_from_this();
    if (!m_link)
        return;
    m_state = evtiDisconnecting;
    com::ignoreFailure([&] { send(QStringLiteral("EREM")); });
    com::ignoreFailure([&] { ReceiveReply(); });
    m_instrumentInfo.reset();
    CloseLink();
}

void CZeltorVTI::SetDataLinkMode(int32_t linkMode, int32_t dataSize)
{
    com::ignoreFailure([&] {
        if (!m_link)
            raiseFromConnection(eeVTI_NotInitialized, 4);
        if (linkMode == serial::edlmCommand) {
            m_link->setLinkMode(serial::edlmCommand);
        } else if (linkMode == serial::edlmStreaming) {
            m_link->setLinkMode(serial::edlmStreaming);
            m_link->setFrameSize(dataSize);
        }
    });
}

void CZeltorVTI::StartTest(const std::vector<com::Value>& params)
{
    const auto keepAlive = shared_from_this();
    try {
        raiseForWrongState();
        if (m_state != evtiIdle)
            return;
        m_state = evtiPerformingTest;
        if (params.empty())
            throw com::Error::subscript(kSourceConnection); // a start command without its parameters
        const com::Value frameParameters = params.size() == 1 && params.front().isArray() ? params.front()
                                                                                          : com::Value(params);
        // Streamed frames are cut only where one of this test's frames begins and the next one
        // follows it, so that the stream finds its place again after a stray or a lost byte and
        // noise that merely starts like a frame yields no result.
        link().setFrameStart([stream = streamStartedBy(frameParameters)](QByteArrayView bytes, bool inStep) {
            return IsResultFrameStart(bytes, stream, inStep);
        });
        send(QStringLiteral("STST"), frameParameters);
        if (link().LinkMode() == serial::edlmCommand) {
            const Reply reply = ReceiveReply();
            MComUtils::CheckReply(reply.command, reply.parameters, QStringLiteral("stst"));
        }
    } catch (...) {
        if (m_state == evtiPerformingTest)
            m_state = evtiIdle;
        failurePath();
    }
}

void CZeltorVTI::GetTestResult(int32_t& testType, int32_t& seqNo, com::Value& result)
{
    const auto keepAlive = shared_from_this();
    testType = 0;
    seqNo = 0;
    try {
        raiseForWrongState();
        if (m_state != evtiPerformingTest)
            return;
        com::ignoreFailure([&] { ReadResultFrame(link().Receive(), m_firmwareMajor, testType, seqNo, result); });
    } catch (...) {
        failurePath();
    }
}

void CZeltorVTI::StopTest()
{
    const auto keepAlive = shared_from_this();
    if (m_state == evtiPerformingTest) {
        com::ignoreFailure([&] {
            send(QStringLiteral("ATST"));
            if (link().LinkMode() == serial::edlmCommand)
                ReceiveReply();
        });
    }
    // Without a link the connection stays not connected, so later calls report the missing link.
    if (m_link)
        m_state = evtiIdle;
}

com::Value CZeltorVTI::GetParameterView(int32_t slotNo)
{
    return whenIdle([&] { return textArray(exchange(QStringLiteral("#GPD"), slotNo, QStringLiteral("#gpd")).parameters); });
}

com::Value CZeltorVTI::GetParameterViewList()
{
    // One description per display slot; fields beyond the instrument's slots describe none.
    return whenIdle([&] {
        return textArray(exchange(QStringLiteral("#GPL"), {}, QStringLiteral("#gpl")).parameters.mid(0, kViewSlotCount));
    });
}

void CZeltorVTI::UploadParameterView(const std::shared_ptr<CParameterView>& view, bool)
{
    // A view is removed from its slot by uploading it with nothing selected, so the flag is not needed.
    whenIdle([&] {
        if (!view)
            throw com::Error::objectNotSet(kSourceConnection);
        exchange(QStringLiteral("#PPD"), textArray(view->BuildUploadParameters()), QStringLiteral("#ppd"));
        return com::Value();
    });
}

com::Value CZeltorVTI::GetMTISettings()
{
    const com::Value noSettings = textArray({QString(), QString(), QString(), QString()});
    return whenIdle(
        [&] {
            const Reply reply = exchange(QStringLiteral("GMTD"), {}, QStringLiteral("gmtd"));
            if (reply.parameters.isEmpty())
                return noSettings;
            const com::Value fields = textArray(reply.parameters);
            return textArray({fields.at(0).toString(), fields.at(1).toString(), fields.at(2).toString(), FWVersion()});
        },
        noSettings);
}

void CZeltorVTI::ApplyMTISettings(const QString& sOperator, const QString& sEstablishment, const QString& sSerialNumber)
{
    whenIdle([&] {
        exchange(QStringLiteral("PMTD"), textArray({sOperator, sEstablishment, sSerialNumber}), QStringLiteral("gmtd"));
        return com::Value();
    });
}

} // namespace ZeltorVTI
