#pragma once

#include "elements/TestGuideWindow.h"

// The element's side of a test guide window that ignores every event the window raises, for
// code that drives the window itself.
class IgnoredTestGuideEvents final : public ZeltorTests::ITestGuideEvents {
public:
    void StartTest() override {}
    void StopTest() override {}
    void AbortTest() override {}
    void NA() override {}
    void NextTest() override {}
    void Previous() override {}
    void ResetCalculations() override {}
    void Skip() override {}
    void TimerTick() override {}
};
