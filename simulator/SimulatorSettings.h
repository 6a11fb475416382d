#pragma once

#include "LungModel.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace simulator {

// What the instrument tells about itself in its "irem" reply.
struct Identity {
    QString model = QStringLiteral("Zeltor VT");
    QString serialNumber = QStringLiteral("ZT-100234");
    // Major "." minor. A major below 3 streams the 13-byte frames with 16-bit values.
    QString firmwareVersion = QStringLiteral("3.01");
};

// The readings streamed for the single-reading tests.
struct ReadingSettings {
    double pressureCmH2O = 50.0;     // pressure test; start pressure of the leakage test
    double leakRateCmH2OPerS = 0.2;  // leakage test: the pressure falls by this much per second
    double flowMlPerS = 500.0;       // flow test
    double highPressureCmH2O = 4000.0;
    // The operator stops the test on the instrument this long after its start: one 'X' frame
    // ends the readings. 0: never.
    int32_t stopSignalAfterMs = 0;
};

// Misbehaviour on demand, so that the system's handling of a faulty instrument can be tried.
// Commands are matched without regard to case; "*" matches every command, empty text none.
struct Faults {
    // Frames of this command are swallowed: no effect and no answer (for "STST": no stream).
    QString withholdReplyTo;
    // This command is refused with "ERRM" and this error number, and has no effect.
    QString errmFor;
    int32_t errmNumber = 6001;
    // These bytes go out right before every reply to this command.
    QString garbageBeforeReplyTo;
    // These bytes also go out every `garbageEveryMs` milliseconds (0: never), streaming or not.
    int32_t garbageEveryMs = 0;
    QByteArray garbage = QByteArray("\xA5\x5A\x00\xFF", 4);
    // Noise on the line while a test streams, counted in bytes of each stream from its start
    // (-1: never): the byte at this offset is lost, and the garbage bytes go in before this one.
    int64_t loseStreamByte = -1;
    int64_t garbageBeforeStreamByte = -1;
};

struct SimulatorSettings {
    Identity identity;
    QString operatorName;
    QString establishment;
    LungSettings lung;
    ReadingSettings readings;
    Faults faults;
};

// The whole number before the first "." of a firmware version text; 0 when it does not start
// with digits.
int32_t firmwareMajor(const QString& firmwareVersion);

} // namespace simulator
