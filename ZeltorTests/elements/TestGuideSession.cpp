#include "elements/TestGuideSession.h"

#include "elements/InstrumentIdentifier.h"
#include "elements/ResultRecord.h"
#include "elements/RunMessages.h"

#include "RunContext.h"
#include "TestElement.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

void TestGuideSession::perform(const std::shared_ptr<Nelvar::ITestElement>& element, ITestGuideEvents& events,
                               Nelvar::ITestElementBase& base, const std::shared_ptr<Nelvar::ITestSequence>& sequence,
                               const std::function<void()>& prepareResult)
{
    bool allowed = false;
    com::ignoreFailure([&] { com::required(sequence).QueryPerform(element, allowed); });
    if (!allowed)
        return;
    prepareResult();
    m_sequence = sequence;
    com::ignoreFailure([&] {
        m_window = com::ClassRegistry::instance().createAs<ITestGuideWindow>(kTestGuideWindowProgId);
        m_window->setEventHandler(&events);
        m_window->Initialize(element, sequence);
    });
    com::ignoreFailure([&] { com::required(m_window).ShowModal(); });
    m_window.reset();
    handOverResult(element, base);
    // The run context is kept for the run only: it may hold the element it was handed.
    m_sequence.reset();
}

void TestGuideSession::runStarted()
{
    m_keepResult = true;
    m_discardResult = false;
}

void TestGuideSession::navigate(int32_t code)
{
    com::ignoreFailure([&] { com::required(m_sequence).Navigate(code); });
    com::ignoreFailure([&] { com::required(m_window).Hide(); });
}

void TestGuideSession::abort()
{
    m_discardResult = true;
    navigate(Nelvar::enavAbort);
}

void TestGuideSession::skip()
{
    m_discardResult = true;
    navigate(Nelvar::enavSkip);
}

void TestGuideSession::next() { navigate(Nelvar::enavNext); }

void TestGuideSession::previous() { navigate(Nelvar::enavPrevious); }

void TestGuideSession::notApplicable(ResultRecord* result)
{
    m_keepResult = true;
    m_discardResult = false;
    com::ignoreFailure([&] { com::required(result).SetStatus(ResultRecord::ersNotApplicable); });
    navigate(Nelvar::enavNext);
}

void TestGuideSession::reportStreamingStopped(const std::shared_ptr<ResultRecord>& result, int32_t elapsedSeconds)
{
    const QString message = RunMessages::streamingStoppedText(elapsedSeconds);
    com::ignoreFailure([&] { com::required(result).recordCutOff(message); });
    com::ignoreFailure([&] { com::required(m_window).UpdateResults(result); });
    RunMessages::showStreamingStopped(message);
}

void TestGuideSession::handOverResult(const std::shared_ptr<Nelvar::ITestElement>& element,
                                      Nelvar::ITestElementBase& base)
{
    if (m_discardResult) {
        com::ignoreFailure([&] { base.setResult(nullptr); });
        return;
    }
    std::shared_ptr<ResultRecord> result;
    com::ignoreFailure([&] { result = std::dynamic_pointer_cast<ResultRecord>(base.Result()); });
    if (!m_keepResult || !result)
        return;
    com::ignoreFailure([&] { result->CreateServiceRecord(base.Filter()); });
    com::ignoreFailure([&] { result->setMTIID(instrumentIdentifier(m_sequence, m_instrument)); });
    com::ignoreFailure([&] { com::required(m_sequence).ResultReady(element); });
}

} // namespace ZeltorTests
