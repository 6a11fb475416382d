#include "InstrumentSimulator.h"

#include "ReadingStream.h"
#include "VentilatorStream.h"

#include <QSet>

#include <array>
#include <utility>

namespace simulator {

namespace {

enum InstrumentError : int32_t {
    kMissingParameter = 1001,
    kTooManyParameters = 1002,
    kInvalidParameter = 1003,
    kUnknownMessageFormat = 1101,
    kUnknownCommand = 6000,
    kCommandNotAllowed = 6004,
};

constexpr int32_t kVentilatorTest = 100;
constexpr qsizetype kStartParameterCount = 8;

// A command the instrument turns down with "ERRM".
struct Refusal {
    int32_t number;
    QString detail;
};

[[noreturn]] void refuse(int32_t number, const QString& detail)
{
    throw Refusal{number, detail};
}

void requireCount(const QStringList& parameters, qsizetype least, qsizetype most)
{
    if (parameters.size() < least)
        refuse(kMissingParameter, QStringLiteral("%1 parameters expected, %2 received").arg(least).arg(parameters.size()));
    if (parameters.size() > most)
        refuse(kTooManyParameters, QStringLiteral("%1 parameters expected, %2 received").arg(most).arg(parameters.size()));
}

int parseSlot(const QString& text)
{
    bool ok = false;
    const int slot = text.toInt(&ok);
    if (!ok || !ParameterViews::validSlot(slot))
        refuse(kInvalidParameter, QStringLiteral("slot must be 1 to %1").arg(ParameterViews::kSlotCount));
    return slot;
}

bool matches(const QString& pattern, const QString& command)
{
    return !pattern.isEmpty() && (pattern == QLatin1String("*") || pattern.compare(command, Qt::CaseInsensitive) == 0);
}

} // namespace

InstrumentSimulator::InstrumentSimulator(SimulatorSettings settings, ByteSink toSystem,
                                         std::shared_ptr<InstrumentMemory> memory)
    : m_settings(std::move(settings)), m_toSystem(std::move(toSystem)),
      m_firmwareMajor(firmwareMajor(m_settings.identity.firmwareVersion)), m_lung(m_settings.lung),
      m_memory(memory ? std::move(memory) : InstrumentMemory::startingFrom(m_settings))
{
    if (m_settings.faults.garbageEveryMs > 0) {
        m_garbageTimer = events::EventLoop::current().createTimer();
        m_garbageTimer->setTick([this] { send(m_settings.faults.garbage); });
        m_garbageTimer->setInterval(m_settings.faults.garbageEveryMs);
        m_garbageTimer->setEnabled(true);
    }
}

InstrumentSimulator::~InstrumentSimulator() = default;

void InstrumentSimulator::receive(const QByteArray& bytes)
{
    for (const CommandSplitter::Piece& piece : m_splitter.append(bytes)) {
        if (piece.overlong)
            sendRefusal({}, kUnknownMessageFormat,
                        QStringLiteral("frame longer than %1 bytes").arg(CommandSplitter::kMaxFrameBytes));
        else
            handleFrame(piece.frame);
    }
}

void InstrumentSimulator::handleFrame(const QByteArray& frame)
{
    const std::optional<CommandFrame> command = parseCommandFrame(frame);
    if (!command) {
        sendRefusal({}, kUnknownMessageFormat, QStringLiteral("frame does not start with $"));
        return;
    }
    const Faults& faults = m_settings.faults;
    if (matches(faults.withholdReplyTo, command->command))
        return;
    if (matches(faults.errmFor, command->command)) {
        sendRefusal(command->command, faults.errmNumber, QStringLiteral("refused on request"));
        return;
    }
    try {
        if (const std::optional<Reply> reply = perform(*command))
            sendReply(command->command, buildReplyFrame(reply->command, reply->fields));
    } catch (const Refusal& refusal) {
        sendRefusal(command->command, refusal.number, refusal.detail);
    }
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::perform(const CommandFrame& frame)
{
    using Handler = std::optional<Reply> (InstrumentSimulator::*)(const QStringList&);
    static const std::array<std::pair<QLatin1StringView, Handler>, 9> commands{{
        {QLatin1StringView("IREM"), &InstrumentSimulator::enterRemote},
        {QLatin1StringView("EREM"), &InstrumentSimulator::endRemote},
        {QLatin1StringView("STST"), &InstrumentSimulator::startTest},
        {QLatin1StringView("ATST"), &InstrumentSimulator::abortTest},
        {QLatin1StringView("#GPL"), &InstrumentSimulator::listViews},
        {QLatin1StringView("#GPD"), &InstrumentSimulator::readView},
        {QLatin1StringView("#PPD"), &InstrumentSimulator::uploadView},
        {QLatin1StringView("GMTD"), &InstrumentSimulator::readSettings},
        {QLatin1StringView("PMTD"), &InstrumentSimulator::applySettings},
    }};
    for (const auto& [name, handler] : commands)
        if (frame.command == name)
            return (this->*handler)(frame.parameters);
    refuse(kUnknownCommand, QStringLiteral("unknown command"));
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::enterRemote(const QStringList& parameters)
{
    requireCount(parameters, 0, 0);
    // A system that starts a session while a test streams has lost the last one (it was stopped
    // or restarted mid-test): the stream ends, so that it can take up remote mode again.
    if (m_mode == Mode::Streaming)
        stopStream();
    m_mode = Mode::Remote;
    const Identity& identity = m_settings.identity;
    return Reply{QStringLiteral("irem"), {identity.model, m_memory->serialNumber, identity.firmwareVersion}};
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::endRemote(const QStringList& parameters)
{
    requireCount(parameters, 0, 0);
    if (m_mode == Mode::Streaming)
        stopStream();
    m_mode = Mode::Local;
    return Reply{QStringLiteral("erem"), {}};
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::startTest(const QStringList& parameters)
{
    if (m_mode == Mode::Local)
        refuse(kCommandNotAllowed, QStringLiteral("not in remote mode"));
    if (m_mode == Mode::Streaming)
        refuse(kCommandNotAllowed, QStringLiteral("a test is running"));
    requireCount(parameters, kStartParameterCount, kStartParameterCount);
    bool ok = false;
    const int testId = parameters[0].toInt(&ok);
    if (!ok || (testId != kVentilatorTest && testId != 200 && testId != 300 && testId != 400 && testId != 500))
        refuse(kInvalidParameter, QStringLiteral("no test %1").arg(parameters[0]));
    if (testId == kVentilatorTest)
        startStream(std::make_unique<VentilatorStream>(m_lung, m_firmwareMajor));
    else
        startStream(std::make_unique<ReadingStream>(testId, m_settings.readings, m_firmwareMajor));
    // No reply: the system reads fixed-size result frames from now on.
    return std::nullopt;
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::abortTest(const QStringList& parameters)
{
    if (m_mode != Mode::Streaming)
        refuse(kCommandNotAllowed, QStringLiteral("no test is running"));
    requireCount(parameters, 0, 0);
    sendStream(m_stream->stopFrames());
    stopStream();
    m_mode = Mode::Remote;
    return std::nullopt;
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::listViews(const QStringList& parameters)
{
    requireIdleRemote();
    requireCount(parameters, 0, 0);
    return Reply{QStringLiteral("#gpl"), m_memory->views.descriptions()};
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::readView(const QStringList& parameters)
{
    requireIdleRemote();
    requireCount(parameters, 1, 1);
    const int slot = parseSlot(parameters[0]);
    QStringList fields{QString::number(slot)};
    if (const auto& view = m_memory->views.view(slot))
        fields << view->description << view->codes;
    else
        fields << QString();
    return Reply{QStringLiteral("#gpd"), fields};
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::uploadView(const QStringList& parameters)
{
    requireIdleRemote();
    requireCount(parameters, 1, 2 + 15);
    int slot = parameters[0] == QLatin1String("0") ? 0 : parseSlot(parameters[0]);
    ParameterView view;
    view.description = parameters.value(1);
    view.codes = parameters.mid(2);
    QSet<QString> seen;
    for (const QString& code : view.codes) {
        if (!ParameterViews::isViewCode(code))
            refuse(kInvalidParameter, QStringLiteral("%1 is no breath parameter").arg(code));
        if (seen.contains(code))
            refuse(kInvalidParameter, QStringLiteral("%1 given twice").arg(code));
        seen.insert(code);
    }
    ParameterViews& views = m_memory->views;
    const bool empty = view.description.isEmpty() && view.codes.isEmpty();
    if (slot == 0) {
        if (empty)
            refuse(kInvalidParameter, QStringLiteral("slot 0 takes a view, not an empty one"));
        slot = views.lowestEmptySlot();
        if (slot == 0)
            refuse(kInvalidParameter, QStringLiteral("every slot holds a view"));
    }
    if (empty)
        views.remove(slot);
    else
        views.store(slot, std::move(view));
    return Reply{QStringLiteral("#ppd"), {}};
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::readSettings(const QStringList& parameters)
{
    requireIdleRemote();
    requireCount(parameters, 0, 0);
    return settingsReply();
}

std::optional<InstrumentSimulator::Reply> InstrumentSimulator::applySettings(const QStringList& parameters)
{
    requireIdleRemote();
    requireCount(parameters, 3, 3);
    m_memory->operatorName = parameters[0];
    m_memory->establishment = parameters[1];
    m_memory->serialNumber = parameters[2];
    return settingsReply();
}

void InstrumentSimulator::requireIdleRemote() const
{
    if (m_mode == Mode::Local)
        refuse(kCommandNotAllowed, QStringLiteral("not in remote mode"));
    if (m_mode == Mode::Streaming)
        refuse(kCommandNotAllowed, QStringLiteral("a test is running"));
}

InstrumentSimulator::Reply InstrumentSimulator::settingsReply() const
{
    return Reply{QStringLiteral("gmtd"),
                 {m_memory->operatorName, m_memory->establishment, m_memory->serialNumber}};
}

void InstrumentSimulator::startStream(std::unique_ptr<ResultStream> stream)
{
    m_stream = std::move(stream);
    m_mode = Mode::Streaming;
    events::EventLoop& loop = events::EventLoop::current();
    m_streamStart = loop.now();
    m_streamedBytes = 0;
    m_streamTimer = loop.createTimer();
    m_streamTimer->setTick([this] {
        sendStream(m_stream->framesUntil(events::EventLoop::current().now() - m_streamStart));
    });
    m_streamTimer->setInterval(m_stream->intervalMs());
    m_streamTimer->setEnabled(true);
}

void InstrumentSimulator::stopStream()
{
    m_streamTimer.reset();
    m_stream.reset();
}

void InstrumentSimulator::sendReply(const QString& request, const QByteArray& frame)
{
    if (matches(m_settings.faults.garbageBeforeReplyTo, request))
        send(m_settings.faults.garbage);
    send(frame);
}

void InstrumentSimulator::sendRefusal(const QString& request, int32_t number, const QString& detail)
{
    sendReply(request, buildReplyFrame(QStringLiteral("ERRM"), {request, QString::number(number), detail}));
}

void InstrumentSimulator::sendStream(QByteArray bytes)
{
    const Faults& faults = m_settings.faults;
    const int64_t first = m_streamedBytes;
    m_streamedBytes += bytes.size();
    const auto within = [&](int64_t offset) { return offset >= first && offset < m_streamedBytes; };
    const auto lose = [&] {
        if (within(faults.loseStreamByte))
            bytes.remove(faults.loseStreamByte - first, 1);
    };
    const auto garble = [&] {
        if (within(faults.garbageBeforeStreamByte))
            bytes.insert(faults.garbageBeforeStreamByte - first, faults.garbage);
    };
    // The later offset first, so that the earlier one still points at its byte.
    if (faults.loseStreamByte >= faults.garbageBeforeStreamByte) {
        lose();
        garble();
    } else {
        garble();
        lose();
    }
    send(bytes);
}

void InstrumentSimulator::send(const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        m_toSystem(bytes);
}

} // namespace simulator
