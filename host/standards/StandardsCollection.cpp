#include "StandardsCollection.h"

#include "HostErrors.h"
#include "standards/StandardReport.h"
#include "xml/RecordFields.h"

#include "Xml.h"

#include "com/Error.h"
#include "com/Required.h"

#include <algorithm>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Standards");

} // namespace

const QString Standards::kElementName = QStringLiteral("Standards");

void Standards::Add(const std::shared_ptr<Nelvar::IStandard>& standard)
{
    com::required(standard);
    auto hostStandard = std::dynamic_pointer_cast<Standard>(standard);
    if (!hostStandard)
        errors::raise(com::errTypeMismatch, kSource, QStringLiteral("the standard is not a host standard"));
    m_standards.push_back(std::move(hostStandard));
}

std::shared_ptr<Nelvar::IStandard> Standards::ItemAt(int32_t position) const
{
    if (position < 1 || position > Count())
        errors::raise(com::errSubscript, kSource, QStringLiteral("standard position %1").arg(position));
    return m_standards[static_cast<size_t>(position - 1)];
}

std::shared_ptr<Nelvar::IStandard> Standards::Item(int32_t index, const QString& name, const QString& key2) const
{
    if (index != 0)
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("standards are looked up by name with index 0"));
    const auto found = std::ranges::find_if(
        m_standards, [&](const auto& standard) { return standard->Name() == name && standard->Key2() == key2; });
    return found == m_standards.end() ? nullptr : *found;
}

std::shared_ptr<Nelvar::IStandards> Standards::Clone() const
{
    auto copy = std::make_shared<Standards>();
    for (const auto& standard : m_standards)
        copy->m_standards.push_back(standard->Clone());
    return copy;
}

std::shared_ptr<Nelvar::IXmlElement> Standards::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    Nelvar::IXmlDocument& target = com::required(document);
    const auto element = records::createElement(target, kElementName, kSource);
    for (const auto& standard : m_standards)
        element->AppendChild(standard->Save(target));
    return element;
}

void Standards::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>&)
{
    const auto children = com::required(element).ElementsNamed(Standard::kElementName);
    std::vector<std::shared_ptr<Standard>> loaded;
    for (int32_t i = 0; i < children->Count(); ++i)
        loaded.push_back(Standard::Load(*children->Item(i)));
    m_standards = std::move(loaded);
}

void Standards::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                            const std::shared_ptr<Nelvar::IStandards>& limitContext, const com::Value& table)
{
    if (!report)
        return;
    for (const auto& standard : m_standards)
        if (!limitContext || limitContext->Item(0, standard->Name(), standard->Key2()))
            printStandard(*report, *standard, table);
}

} // namespace host
