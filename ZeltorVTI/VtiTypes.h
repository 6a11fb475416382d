#pragma once

#include <QString>

#include <cstdint>

namespace ZeltorVTI {

// State of the instrument connection.
enum EVtiState : int32_t {
    evtiNotConnected = 0,
    evtiConnecting = 1,
    evtiIdle = 2,
    evtiBusy = 3,
    evtiPerformingTest = 4,
    evtiDisconnecting = 5,
};

// The library's application error numbers.
enum EVtiErrors : int32_t {
    eeVTI_InvalidMsgReceived = static_cast<int32_t>(0x8004A463),
    eeVTI_InvalidParametersReceived = static_cast<int32_t>(0x8004A464),
    eeVTI_NotInitialized = static_cast<int32_t>(0x8004A465),
    eeVTI_Busy = static_cast<int32_t>(0x8004A466),
    eeVTI_ReceiveTimeout = static_cast<int32_t>(0x8004A467),
    eeVTI_Error = static_cast<int32_t>(0x8004A468),
    eeVTI_NoMtiFound = static_cast<int32_t>(0x8004A469),
    eeVTI_MTIError = static_cast<int32_t>(0x8004A46A),
};

// Length in bytes of one binary result frame.
enum EDataSize : int32_t {
    eds16Bit = 13,
    eds32Bit = 21,
};

// The instrument's display slots for parameter views, numbered from 1.
inline constexpr int32_t kViewSlotCount = 9;

// Error sources of the library.
inline const QString kSourceConnection = QStringLiteral("ZeltorVTI.CZeltorVTI");
inline const QString kSourceComUtils = QStringLiteral("ZeltorVTI.MComUtils");
inline const QString kSourceParameterView = QStringLiteral("ZeltorVTI.CParameterView");

// How long the connection waits for the instrument's reply to a command.
inline constexpr int32_t kReplyTimeoutMs = 3500;

} // namespace ZeltorVTI
