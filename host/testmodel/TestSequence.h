#pragma once

#include "RunContext.h"

#include <memory>
#include <utility>
#include <vector>

namespace host {

// The run context the host hands a test run: it answers whether the run may go ahead, gives the
// limit context and the instrument list set for the run, and records where the run asked to go
// and which elements reported a result.
class TestSequence final : public Nelvar::ITestSequence {
public:
    void QueryPerform(const std::shared_ptr<Nelvar::ITestElement>& element, bool& allowed) override;
    void setPerformAllowed(bool allowed) { m_performAllowed = allowed; }

    // A code other than those of ENavigation raises invalid call (5).
    void Navigate(int32_t code) override;
    const std::vector<Nelvar::ENavigation>& Navigations() const { return m_navigations; }

    // Keeps the element and writes the run into its result's service record (when the result
    // has one made by the host): now, and the listed instrument of the element's plug-in type
    // whose identifier the result holds. None raises object not set (91).
    void ResultReady(const std::shared_ptr<Nelvar::ITestElement>& element) override;
    const std::vector<std::shared_ptr<Nelvar::ITestElement>>& ReadyElements() const { return m_readyElements; }

    std::shared_ptr<Nelvar::IStandards> LimitContext() const override { return m_limitContext; }
    void setLimitContext(std::shared_ptr<Nelvar::IStandards> standards) { m_limitContext = std::move(standards); }
    std::shared_ptr<Nelvar::IInstruments> Instruments() const override { return m_instruments; }
    void setInstruments(std::shared_ptr<Nelvar::IInstruments> instruments) { m_instruments = std::move(instruments); }

private:
    bool m_performAllowed = true;
    std::vector<Nelvar::ENavigation> m_navigations;
    std::vector<std::shared_ptr<Nelvar::ITestElement>> m_readyElements;
    std::shared_ptr<Nelvar::IStandards> m_limitContext;
    std::shared_ptr<Nelvar::IInstruments> m_instruments;
};

} // namespace host
