#include "TestCollection.h"

#include "HostErrors.h"

#include "TestElement.h"

#include "com/Error.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.TestCollection");

} // namespace

void TestCollection::Add(const std::shared_ptr<Nelvar::ITestElement>& element,
                         const std::shared_ptr<com::Object>& relative, int32_t position)
{
    if (!element)
        errors::raise(com::errObjectNotSet, kSource, QStringLiteral("no element to add"));
    if (relative || position != eapLast)
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("elements can only be added at the end"));
    m_elements.push_back(element);
}

std::shared_ptr<Nelvar::ITestElement> TestCollection::ItemByTestID(int32_t testID) const
{
    for (const auto& element : m_elements)
        if (element->TestID() == testID)
            return element;
    return nullptr;
}

std::shared_ptr<Nelvar::ITestElement> TestCollection::Item(int32_t position) const
{
    if (position < 1 || position > Count())
        errors::raise(com::errSubscript, kSource);
    return m_elements[static_cast<size_t>(position - 1)];
}

} // namespace host
