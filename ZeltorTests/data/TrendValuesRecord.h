#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace Nelvar {
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

// One trend sample of a parameter: the minimum and the maximum of one interval, in the base unit.
struct TrendSample {
    float min = 0.0f;
    float max = 0.0f;
};

// The "Values" element of a trend parameter record: the samples in hundredths of the base unit,
// "min:max" pairs joined by ";", in "SubString" chunks of 200 pairs numbered from 1 by "ID".
// Host failures reach the caller.
std::shared_ptr<Nelvar::IXmlElement> saveTrendValues(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                     const std::vector<TrendSample>& samples);

// Reads the texts of all children of a "Values" element in document order (chunk names and IDs
// carry no meaning) and hands each pair to `add`, oldest first. An element of another name gives
// nothing. After the pairs before it were handed on, a pair without ":" raises subscript (9), one
// with a part that is not a number type mismatch (13) and one beyond the Single range overflow (6),
// each with a description naming the pair.
void readTrendValues(const Nelvar::IXmlElement& values, const std::function<void(const TrendSample&)>& add);

} // namespace ZeltorTests
