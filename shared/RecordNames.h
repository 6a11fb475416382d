#pragma once

#include <QLatin1String>

// Element names of the XML records that the plug-in's libraries and the host read and write.
// Saved results, configurations and the test template rely on them as they stand. Children that
// hold a setting carry the name of its settings value (SettingsValueNames.h).
namespace Zeltor::RecordNames {

inline constexpr QLatin1String kTestElement{"TestElement"};       // a template entry or a saved test element
inline constexpr QLatin1String kPlugInData{"PlugInData"};         // a test's configuration
inline constexpr QLatin1String kExpectedResult{"ExpectedResult"}; // a test's limits
inline constexpr QLatin1String kResultItem{"ResultItem"};         // a test's result
inline constexpr QLatin1String kSettings{"Settings"};
inline constexpr QLatin1String kTrendSettings{"TrendSettings"};
inline constexpr QLatin1String kTrends{"Trends"};
inline constexpr QLatin1String kTrend{"Trend"};
inline constexpr QLatin1String kSnapshots{"Snapshots"};
inline constexpr QLatin1String kSnapshot{"Snapshot"};
inline constexpr QLatin1String kMeasurementTable{"MeasurementTable"};

} // namespace Zeltor::RecordNames
