#pragma once

#include <QString>

#include <cstdint>

#include <memory>

namespace Nelvar {
class ITestElement;
class IXmlDocument;
}

namespace host {
class TestSequence;
}

// The run context of a one-test run: the test's own standards are the limit context.
std::shared_ptr<host::TestSequence> oneTestSequence(const Nelvar::ITestElement& element);

// Sets the test's duration the way the host edits a test's settings: in its configuration's
// record, which the configuration then reads back. Raises invalid call (5) for a configuration
// whose record has no duration.
void setTestDuration(Nelvar::ITestElement& element, int32_t minutes);

// The saved test element with its configuration, limits and result, as a document of its own.
std::shared_ptr<Nelvar::IXmlDocument> testElementRecord(Nelvar::ITestElement& element);
// Writes the document into the file; raises what the XML file raises.
void saveRecord(const std::shared_ptr<Nelvar::IXmlDocument>& record, const QString& path);
