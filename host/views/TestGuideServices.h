#pragma once

#include "TestGuideHost.h"

namespace host {

// The host's test-guide services: the caption of a test's window and the operator's
// confirmation of an abort.
class TestGuideServices final : public Nelvar::ITestGuideServices {
public:
    // "<test name> - Nelvar".
    QString GetWindowTitle(const std::shared_ptr<Nelvar::ITestElement>& element) override;
    // A Yes/No question; true for Yes.
    bool ConfirmAbort() override;
};

} // namespace host
