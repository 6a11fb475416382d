#include "elements/RecordFields.h"

#include "RecordReading.h"
#include "Xml.h"

namespace ZeltorTests {

void readWholeNumberChild(const Nelvar::IXmlElement& element, const QString& name, int32_t& value)
{
    if (const auto child = element.FindChildElement(name))
        value = Zeltor::records::leadingWholeNumber(name, child->Text());
}

} // namespace ZeltorTests
