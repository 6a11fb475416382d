#pragma once

#include <QString>

// The four-letter keys that name every ventilator parameter across the system.
namespace Zeltor::Keys {

inline const QString BRRA = QStringLiteral("BRRA"); // breath rate
inline const QString TIVO = QStringLiteral("TIVO"); // tidal volume
inline const QString INPF = QStringLiteral("INPF"); // inspiratory peak flow
inline const QString INPP = QStringLiteral("INPP"); // inspiratory peak pressure
inline const QString PEPR = QStringLiteral("PEPR"); // PEEP pressure
inline const QString MEIP = QStringLiteral("MEIP"); // mean inspiratory pressure
inline const QString MIVO = QStringLiteral("MIVO"); // minute volume
inline const QString IERA = QStringLiteral("IERA"); // I:E ratio
inline const QString INHO = QStringLiteral("INHO"); // inspiratory hold
inline const QString INPE = QStringLiteral("INPE"); // inspiration period
inline const QString EXPE = QStringLiteral("EXPE"); // expiration period
inline const QString EXPF = QStringLiteral("EXPF"); // expiratory peak flow
inline const QString TEMP = QStringLiteral("TEMP"); // temperature
inline const QString OXLE = QStringLiteral("OXLE"); // oxygen level
inline const QString MEEP = QStringLiteral("MEEP"); // mean expiratory pressure
inline const QString ATPR = QStringLiteral("ATPR"); // atmospheric pressure
inline const QString FLOW = QStringLiteral("FLOW"); // waveform channel: flow
inline const QString PRES = QStringLiteral("PRES"); // waveform channel: pressure
inline const QString VOLU = QStringLiteral("VOLU"); // waveform channel: volume
inline const QString ACPR = QStringLiteral("ACPR"); // single reading: actual pressure
inline const QString LERA = QStringLiteral("LERA"); // single reading: leak rate
inline const QString ACFL = QStringLiteral("ACFL"); // single reading: actual flow
inline const QString HIPR = QStringLiteral("HIPR"); // single reading: high pressure

} // namespace Zeltor::Keys
