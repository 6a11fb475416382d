#include "Standard.h"

#include "HostErrors.h"
#include "xml/RecordFields.h"

#include "Xml.h"

#include "com/Error.h"
#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Standard");
const QString kNameAttribute = QStringLiteral("Name");
const QString kKey2Attribute = QStringLiteral("Key2");
const QString kKindAttribute = QStringLiteral("Kind");

} // namespace

const QString Standard::kElementName = QStringLiteral("Standard");

void Standard::Initialize(const QString& name, const QString& key2, int32_t kind)
{
    m_name = name;
    m_key2 = key2;
    m_kind = kind;
}

void Standard::Add(const std::shared_ptr<Nelvar::ILimit>& limit)
{
    com::required(limit);
    auto hostLimit = std::dynamic_pointer_cast<Limit>(limit);
    if (!hostLimit)
        errors::raise(com::errTypeMismatch, kSource, QStringLiteral("the limit is not a host limit"));
    m_limits->Append(std::move(hostLimit));
}

void Standard::Check(const QString& key, float value, const com::Value&, int32_t& status) const
{
    const auto limit = m_limits->Find(key);
    status = !limit ? 0 : limit->Fails(value) ? 2 : 1;
}

std::shared_ptr<Standard> Standard::Clone() const
{
    auto copy = std::make_shared<Standard>();
    copy->Initialize(m_name, m_key2, m_kind);
    for (const auto& limit : m_limits->All())
        copy->m_limits->Append(std::make_shared<Limit>(*limit));
    return copy;
}

std::shared_ptr<Nelvar::IXmlElement> Standard::Save(Nelvar::IXmlDocument& document) const
{
    const auto element = records::createElement(document, kElementName, kSource);
    element->SetAttribute(kNameAttribute, m_name);
    element->SetAttribute(kKey2Attribute, m_key2);
    element->SetAttribute(kKindAttribute, m_kind);
    for (const auto& limit : m_limits->All())
        element->AppendChild(limit->Save(document));
    return element;
}

std::shared_ptr<Standard> Standard::Load(const Nelvar::IXmlElement& element)
{
    auto standard = std::make_shared<Standard>();
    standard->Initialize(element.GetAttribute(kNameAttribute), element.GetAttribute(kKey2Attribute),
                         records::readWholeNumber(element, kKindAttribute, kSource));
    const auto children = element.ElementsNamed(Limit::kElementName);
    for (int32_t i = 0; i < children->Count(); ++i)
        standard->m_limits->Append(Limit::Load(*children->Item(i)));
    return standard;
}

} // namespace host
