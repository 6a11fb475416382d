#pragma once

#include <QString>

#include <memory>

namespace Nelvar {
class ITestCollection;
}

namespace ZeltorPlugin {

// Reads the test template file into a new host test collection: one prototype, made by
// createTestElement, per "TestElement" child of the root's "TemplateData", in document order;
// other children are skipped.
//
// Raises eeTemplateNotFound for a file that does not exist, eeTemplateFileError for any other
// file fault, eeTemplateInvalid for a root without "TemplateData", a "TemplateData" without child
// nodes, an entry without class name or identifier or expected results that cannot be read (its
// description names the file and what is wrong), and any other failure with the plug-in's
// source. Nothing read so far stays alive then. The host error kPassedOverHostError is passed
// over: the step that raised it is skipped, and an entry that raised it adds nothing.
std::shared_ptr<Nelvar::ITestCollection> readTestTemplate(const QString& path);

// The host error that reading the template passes over.
inline constexpr int32_t kPassedOverHostError = static_cast<int32_t>(0x80048ACD);

} // namespace ZeltorPlugin
