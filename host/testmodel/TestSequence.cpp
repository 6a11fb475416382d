#include "TestSequence.h"

#include "HostErrors.h"

#include "TestElement.h"

#include "com/Error.h"
#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.TestSequence");

} // namespace

void TestSequence::QueryPerform(const std::shared_ptr<Nelvar::ITestElement>&, bool& allowed)
{
    allowed = m_performAllowed;
}

void TestSequence::Navigate(int32_t code)
{
    if (code < Nelvar::enavNext || code > Nelvar::enavSkip)
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("navigation code %1").arg(code));
    m_navigations.push_back(static_cast<Nelvar::ENavigation>(code));
}

void TestSequence::ResultReady(const std::shared_ptr<Nelvar::ITestElement>& element)
{
    com::required(element);
    m_readyElements.push_back(element);
}

} // namespace host
