#include "ServiceRecord.h"

#include "xml/RecordFields.h"

#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.ServiceRecord");
const QString kFilterAttribute = QStringLiteral("Filter");
const QString kStatusAttribute = QStringLiteral("Status");
const QString kValuesAttribute = QStringLiteral("Values");

} // namespace

const QString ServiceRecord::kElementName = QStringLiteral("ServiceRecord");

void ServiceRecord::Initialize(const std::shared_ptr<Nelvar::ITestFilter>& filter, const QString& statusText,
                               const QString& valuesText)
{
    m_filterFlags = com::required(filter).Flags();
    m_statusText = statusText;
    m_valuesText = valuesText;
}

std::shared_ptr<Nelvar::IXmlElement> ServiceRecord::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = records::createElement(com::required(document), kElementName, kSource);
    element->SetAttribute(kFilterAttribute, m_filterFlags);
    element->SetAttribute(kStatusAttribute, m_statusText);
    element->SetAttribute(kValuesAttribute, m_valuesText);
    return element;
}

void ServiceRecord::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                         const std::shared_ptr<Nelvar::IProgress>&)
{
    const Nelvar::IXmlElement& saved = com::required(element);
    records::requireName(saved, kElementName, kSource);
    m_filterFlags = records::readWholeNumber(saved, kFilterAttribute, kSource);
    m_statusText = saved.GetAttribute(kStatusAttribute);
    m_valuesText = saved.GetAttribute(kValuesAttribute);
}

} // namespace host
