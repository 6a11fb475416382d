#pragma once

#include <QString>

#include <memory>

namespace Nelvar {
class ITestElement;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorPlugin {

// The test element of one "TestElement" entry of the test template: an instance of the entry's
// "ClassName", initialised with its "ID" as test and element identifier, given the texts of its
// "Type", "Parameter", "Name" and "Description" children and the limits of its "ExpectedResult"
// children, and, when it is a group of tests, the elements of its nested entries.
//
// An entry without class name or identifier (a nested one included), and an "ExpectedResult"
// that the element's limit data cannot read, raise eeTemplateInvalid with a description naming
// `templatePath` (and the test); any other failure but those of the texts, which are passed over,
// is raised with the plug-in's source.
std::shared_ptr<Nelvar::ITestElement> createTestElement(const Nelvar::IXmlElement& entry, const QString& templatePath);

} // namespace ZeltorPlugin
