#pragma once

#include "com/KeyedCollection.h"
#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CMeasurement;
class CParameterList;

// Turns the instrument's breath-parameter blocks 'A' to 'D' into the statistics of one
// measurement per selected breath parameter of a test.
class CZeltorCalculationSet final : public com::Object {
public:
    using Measurements = com::KeyedCollection<std::shared_ptr<CMeasurement>>;

    int32_t Count() const { return m_measurements.Count(); }
    // By 1-based position or by parameter key; none when there is no such measurement.
    std::shared_ptr<CMeasurement> Item(int32_t index) const;
    std::shared_ptr<CMeasurement> Item(const QString& key) const;
    const Measurements& Items() const { return m_measurements; }
    Measurements::Iterator begin() const { return m_measurements.begin(); }
    Measurements::Iterator end() const { return m_measurements.end(); }

    // One measurement per selected breath parameter of the list, in list order. A parameter whose
    // measurement cannot be added (its key is already held) is skipped.
    void Initialize(const CParameterList& parameters);
    // Decodes one block into samples of the measurements of its keys. `values` is the block's
    // array of four whole numbers; `firmwareMajor` that of the instrument that sent it, which sets
    // the pressure scale and whether the block carries the atmospheric pressure. Values it does
    // not hold, keys without a measurement and identifiers other than 'A' to 'D' are skipped.
    // Reports no error.
    void ProcessBlock(int32_t blockId, const com::Value& values, int32_t firmwareMajor);
    void ResetStatistics();

private:
    void addSample(const QString& key, double value) const;

    Measurements m_measurements;
};

} // namespace ZeltorTests
