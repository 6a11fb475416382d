#pragma once

#include <QString>

#include <memory>

namespace Nelvar {
class IPlugIn;
class IReport;
class ITestElement;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

// A saved result loaded into a test element of its own: a saved test element ("TestElement",
// as `nelvar run` and the main window write it) with its configuration, limits and result, or a
// ventilator test's bare "ResultItem", loaded into a new ventilator test with its defaults.
struct SavedResult {
    std::shared_ptr<Nelvar::ITestElement> element;
    bool wholeElement = false;

    // A whole element prints whole (heading with how the run ended, configuration, expected
    // results and result); a bare result prints under the test's heading with how its run ended
    // and what its service record holds of the date and the instrument, without the
    // configuration and the limits, which were not saved with it.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report) const;
    // The record as it is now, in the form it was read from.
    std::shared_ptr<Nelvar::IXmlDocument> record() const;
};

// Reads a saved result from a file or a document; raises what loading raises, and invalid call
// (5) for a record that holds neither a test element with a result nor a result.
SavedResult loadSavedResult(Nelvar::IPlugIn& plugIn, const QString& path);
SavedResult loadSavedResult(Nelvar::IPlugIn& plugIn, const Nelvar::IXmlDocument& document);
