#pragma once

#include "com/Value.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace ZeltorVTI {

// Decodes one binary result frame: record type (byte 1), sequence number (byte 2 minus '0') and
// four signed big-endian values, 16-bit for firmware major below 3, 32-bit from 3 on. A frame
// that does not start with "$" leaves all three outputs as they are. Missing bytes of a short
// frame read as 0 in a 32-bit value and make a 16-bit value 0. Never raises.
void ReadResultFrame(const QByteArray& frame, int32_t firmwareMajor, int32_t& testType, int32_t& seqNo,
                     com::Value& result);

// The record types a stream of result frames carries: the ventilator test's breath-parameter
// blocks 'A' to 'D', waveform samples 'M' and stop signal 'X', or the single-reading tests'
// readings, for which every record type from 1 up counts.
enum class ResultStream { Ventilator, Readings };

// Whether a result frame of that stream begins with the first of `bytes`, as the link's streaming
// buffer asks it. Where the last frame ended (`inStep`), a frame needs only its "$": what is wrong
// behind it is the decoder's business. Out of step, after bytes that began no frame (a stray or a
// lost byte on the line), the stream is found again only at "$" followed by a record type the
// stream carries and the ASCII digit of a sequence number.
bool IsResultFrameStart(QByteArrayView bytes, ResultStream stream, bool inStep);

// The signed 16-bit value of bytes i (high) and i + 1 (low); 0 when either is missing.
int32_t DecodeInt16BE(const QByteArray& frame, qsizetype i);

} // namespace ZeltorVTI
