#pragma once

#include "TestGuideWindow.h"

namespace ZeltorTests {

// What the test guide window offers as its full-screen live view while it has none: the window
// has no full-screen view, so the elements' calls to it change nothing and the window stays in
// its normal display mode.
class NoFullscreenView final : public IFullscreenView {
public:
    void Initialize(const std::shared_ptr<Nelvar::ITestElement>&, ITestGuideWindow&, bool) override {}
    void StartTest() override {}
    void StopTest() override {}
    void StepFrameRate(int32_t) override {}
};

} // namespace ZeltorTests
