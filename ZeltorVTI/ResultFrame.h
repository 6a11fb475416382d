#pragma once

#include "com/Value.h"

#include <QByteArray>

#include <cstdint>

namespace ZeltorVTI {

// Decodes one binary result frame: record type (byte 1), sequence number (byte 2 minus '0') and
// four signed big-endian values, 16-bit for firmware major below 3, 32-bit from 3 on. A frame
// that does not start with "$" leaves all three outputs as they are. Missing bytes of a short
// frame read as 0 in a 32-bit value and make a 16-bit value 0. Never raises.
void ReadResultFrame(const QByteArray& frame, int32_t firmwareMajor, int32_t& testType, int32_t& seqNo,
                     com::Value& result);

// The signed 16-bit value of bytes i (high) and i + 1 (low); 0 when either is missing.
int32_t DecodeInt16BE(const QByteArray& frame, qsizetype i);

} // namespace ZeltorVTI
