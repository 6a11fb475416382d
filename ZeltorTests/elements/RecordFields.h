#pragma once

#include <QString>

#include <cstdint>

namespace Nelvar {
class IXmlElement;
}

namespace ZeltorTests {

// Reads the first child `name` of `element` as a whole number: the leading number of its text
// ("." as decimal point, no number gives 0) rounded halves to even; a value beyond 32 bits raises
// overflow (6), naming the child and its text. Without such a child `value` keeps what it held.
void readWholeNumberChild(const Nelvar::IXmlElement& element, const QString& name, int32_t& value);

} // namespace ZeltorTests
