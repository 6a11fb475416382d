#include "elements/RecordFields.h"

#include "Xml.h"

#include "format/Format.h"

namespace ZeltorTests {

void readWholeNumberChild(const Nelvar::IXmlElement& element, const QString& name, int32_t& value)
{
    if (const auto child = element.FindChildElement(name))
        value = format::toInt32(format::leadingNumber(child->Text()));
}

} // namespace ZeltorTests
