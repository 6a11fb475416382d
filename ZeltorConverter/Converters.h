#pragma once

#include "CUnitConverter.h"

#include <QString>

namespace ZeltorConverter {

inline const QString kConvertMLpSecProgId = QStringLiteral("ZeltorConverter.CConvertMLpSec");
inline const QString kConvertCmH2OProgId = QStringLiteral("ZeltorConverter.CConvertCmH2O");
inline const QString kConvertCelsiusProgId = QStringLiteral("ZeltorConverter.CConvertCelsius");

// Flow: internal ml/sec; display ml/sec, l/sec or l/min.
class CConvertMLpSec final : public CUnitConverter {
protected:
    Scaling scalingFor(int32_t selectedConversion) const override;
};

// Pressure and leak rate: internal cmH2O (per second); display cmH2O, mBar, mmHg, kPa or PSI
// (per second).
class CConvertCmH2O final : public CUnitConverter {
protected:
    Scaling scalingFor(int32_t selectedConversion) const override;
};

// Temperature: internal degrees Celsius; display C, F or K.
class CConvertCelsius final : public CUnitConverter {
protected:
    Scaling scalingFor(int32_t selectedConversion) const override;
};

} // namespace ZeltorConverter
