#pragma once

#include "Xml.h"

#include <QString>

#include <cstdint>
#include <memory>

// Reading and writing the host's own records (standards, test elements, service records,
// test-guide settings). A field that is absent reads as its default; one that is present but
// cannot be read raises, naming the element, the attribute and the text, so a damaged file is
// reported instead of being taken for something else.
namespace host::records {

// A new element of the document; raises 91 when the document makes none.
std::shared_ptr<Nelvar::IXmlElement> createElement(Nelvar::IXmlDocument& document, const QString& name,
                                                   const QString& source);

// Raises invalid call (5) unless the element is named `name`.
void requireName(const Nelvar::IXmlElement& element, const QString& name, const QString& source);

// A whole number; absent gives 0, a text that is not a number raises type mismatch (13), one
// beyond 32 bits overflow (6).
int32_t readWholeNumber(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source);
// A number with "." as decimal point; absent gives 0, a text that is not a number raises 13, one
// beyond the range of a float raises 6.
float readNumber(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source);
// "True" or "False"; absent gives false, any other text raises 13.
bool readFlag(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source);
// Writes "True" when set and nothing otherwise.
void writeFlag(Nelvar::IXmlElement& element, const QString& attribute, bool value);

} // namespace host::records
