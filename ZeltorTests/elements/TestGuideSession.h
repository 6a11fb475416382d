#pragma once

#include "elements/TestGuideWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace Nelvar {
class IInstrumentInfo;
class ITestElement;
class ITestElementBase;
class ITestSequence;
} // namespace Nelvar

namespace ZeltorTests {

class ResultRecord;

// A test element's stay in its test guide window, alike for both test elements: Perform shows
// the window for the run context; the operator's navigation commands tell the run context where
// to go and close the window; once it is closed, the result of the runs made in it is dropped or
// handed to the run context. Whether a result is kept carries over from one Perform to the next.
class TestGuideSession {
public:
    // Asks the run context whether the element may run; when it may: `prepareResult`, a new window
    // (made by its class name) bound to the element and the run context, raising its events to
    // `events`, shown modally until it is hidden, then unloaded, and the result handed over. A
    // failing step is skipped.
    void perform(const std::shared_ptr<Nelvar::ITestElement>& element, ITestGuideEvents& events,
                 Nelvar::ITestElementBase& base, const std::shared_ptr<Nelvar::ITestSequence>& sequence,
                 const std::function<void()>& prepareResult);

    // The window while Perform shows it; none otherwise.
    ITestGuideWindow* window() const { return m_window.get(); }
    // The run context while Perform shows the window; none otherwise.
    const std::shared_ptr<Nelvar::ITestSequence>& sequence() const { return m_sequence; }
    // The instrument of the last run, which names the result's instrument.
    void setInstrument(std::shared_ptr<Nelvar::IInstrumentInfo> instrument) { m_instrument = std::move(instrument); }

    // A run starts: its result will be kept.
    void runStarted();
    // The navigation commands; abort and skip drop the result, not applicable keeps it with
    // status 3. Abort does not stop a run: the element does that first.
    void abort();
    void skip();
    void next();
    void previous();
    void notApplicable(ResultRecord* result);

    // The instrument stopped streaming and so cut the run off (the element has stopped it): the
    // result fails with the message in its comment, the window shows it, then the operator is
    // told, with the run's elapsed time. Reports no error.
    void reportStreamingStopped(const std::shared_ptr<ResultRecord>& result, int32_t elapsedSeconds);

private:
    void navigate(int32_t code);
    // Drops the base's result, or completes a kept one (service record, instrument identifier)
    // and reports it ready; a result never started nor marked not applicable is not reported.
    void handOverResult(const std::shared_ptr<Nelvar::ITestElement>& element, Nelvar::ITestElementBase& base);

    std::shared_ptr<Nelvar::ITestSequence> m_sequence;
    std::shared_ptr<ITestGuideWindow> m_window;
    std::shared_ptr<Nelvar::IInstrumentInfo> m_instrument;
    bool m_keepResult = false;
    bool m_discardResult = false;
};

} // namespace ZeltorTests
