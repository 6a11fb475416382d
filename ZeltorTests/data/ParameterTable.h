#pragma once

#include <QString>

#include <cstdint>

namespace ZeltorTests {

// One row of the parameter table that the whole system uses.
struct ParameterInfo {
    const char* key;
    const char* caption; // language key with its default text
    int32_t baseUnit;    // EUnit
};

// The row of a parameter key (exact, case-sensitive), or none for an unknown key.
const ParameterInfo* findParameter(const QString& key);

// Parameter kinds: waveform channels, breath, gas and environment parameters, single readings.
enum EParameterKind : int32_t {
    epkWaveform = 0,
    epkBreath = 1,
    epkSingleReading = 2,
};

// The kind of a key, found as a substring of the channel keys or of the single-reading keys; so
// an empty key is a waveform channel and a key in another case is a breath parameter.
EParameterKind parameterKind(const QString& key);

} // namespace ZeltorTests
