#pragma once

#include "CommandFrames.h"
#include "InstrumentMemory.h"
#include "LungModel.h"
#include "ResultStream.h"
#include "SimulatorSettings.h"

#include "events/EventLoop.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <optional>

namespace simulator {

// The instrument's side of the serial protocol: takes the system's bytes as they come, answers
// its commands, and streams result frames after "STST". All timing comes from the current
// events::EventLoop, so on a virtual loop a run is deterministic.
//
// Commands (all replies "$" + reply + ("," + escaped field)* + CR):
//   IREM            -> irem,<model>,<serial number>,<firmware version>; enters remote mode and
//                      ends a stream left over from a lost session
//   EREM            -> erem; leaves remote mode and ends a stream without a stop frame
//   STST,<8 params> no reply; parameter 0 the test (100..500); the stream starts at once
//   ATST            no reply; ends the stream; the ventilator test sends one 'X' frame
//   #GPL            -> #gpl,<description of slot 1>,...,<slot 9>
//   #GPD,<slot>     -> #gpd,<slot>,<description>,<code>...
//   #PPD,<slot>[,<description>[,<code>...]] -> #ppd; no description and no codes empty the slot;
//                   slot 0 stores the view in the lowest empty slot (refused with 1003 when
//                   every slot is taken, or when the view is empty)
//   GMTD            -> gmtd,<operator>,<establishment>,<serial number>
//   PMTD,<operator>,<establishment>,<serial number> -> gmtd with the new values
// Refusals: ERRM,<command>,<error number>,<detail>, numbers 1001 missing parameter, 1002 too
// many parameters, 1003 invalid parameter, 1101 frame without "$" or overlong, 6000 unknown
// command, 6004 out of turn (outside remote mode, or not allowed while streaming or idle).
class InstrumentSimulator {
public:
    using ByteSink = std::function<void(const QByteArray&)>;

    // The instrument keeps its views, operator, establishment and serial number in `memory`,
    // which outlives this connection to it when others share it; none: a memory of its own,
    // started from the settings. Raises std::invalid_argument when the lung settings make no
    // breath.
    InstrumentSimulator(SimulatorSettings settings, ByteSink toSystem,
                        std::shared_ptr<InstrumentMemory> memory = nullptr);
    ~InstrumentSimulator();
    InstrumentSimulator(const InstrumentSimulator&) = delete;
    InstrumentSimulator& operator=(const InstrumentSimulator&) = delete;

    // Bytes from the system, in any pieces.
    void receive(const QByteArray& bytes);

private:
    enum class Mode { Local, Remote, Streaming };
    struct Reply {
        QString command;
        QStringList fields;
    };

    void handleFrame(const QByteArray& frame);
    std::optional<Reply> perform(const CommandFrame& frame);

    std::optional<Reply> enterRemote(const QStringList& parameters);
    std::optional<Reply> endRemote(const QStringList& parameters);
    std::optional<Reply> startTest(const QStringList& parameters);
    std::optional<Reply> abortTest(const QStringList& parameters);
    std::optional<Reply> listViews(const QStringList& parameters);
    std::optional<Reply> readView(const QStringList& parameters);
    std::optional<Reply> uploadView(const QStringList& parameters);
    std::optional<Reply> readSettings(const QStringList& parameters);
    std::optional<Reply> applySettings(const QStringList& parameters);

    void requireIdleRemote() const;
    Reply settingsReply() const;

    void startStream(std::unique_ptr<ResultStream> stream);
    void stopStream();
    void sendReply(const QString& request, const QByteArray& frame);
    void sendRefusal(const QString& request, int32_t number, const QString& detail);
    void send(const QByteArray& bytes);
    // Stream bytes go out through the stream faults.
    void sendStream(QByteArray bytes);

    SimulatorSettings m_settings;
    ByteSink m_toSystem;
    int32_t m_firmwareMajor;
    LungModel m_lung;
    CommandSplitter m_splitter;
    std::shared_ptr<InstrumentMemory> m_memory;
    Mode m_mode = Mode::Local;
    std::unique_ptr<ResultStream> m_stream;
    std::unique_ptr<events::Timer> m_streamTimer;
    int64_t m_streamStart = 0;
    int64_t m_streamedBytes = 0;
    std::unique_ptr<events::Timer> m_garbageTimer;
};

} // namespace simulator
