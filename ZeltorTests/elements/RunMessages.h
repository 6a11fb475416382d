#pragma once

#include <QString>

#include <cstdint>

// The messages with which the instrument, its silence or the duration end a test run. They
// report no error.
namespace ZeltorTests::RunMessages {

inline const QString kTestCompleted = QStringLiteral("20393::Test completed.");
inline const QString kStopSignalReceived = QStringLiteral("21005::Stop signal received from the Zeltor");

// The message that the instrument has stopped streaming, with the run's elapsed time.
QString streamingStoppedText(int32_t elapsedSeconds);
// Shows that message as a critical message.
void showStreamingStopped(const QString& message);
// An information notice, `textKey` translated, under the title "Nelvar Zeltor Ventilator tester".
void showRunEnd(const QString& textKey);

} // namespace ZeltorTests::RunMessages
