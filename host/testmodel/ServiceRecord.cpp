#include "ServiceRecord.h"

#include "HostErrors.h"
#include "xml/RecordFields.h"

#include "Instruments.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.ServiceRecord");
const QString kFilterAttribute = QStringLiteral("Filter");
const QString kStatusAttribute = QStringLiteral("Status");
const QString kValuesAttribute = QStringLiteral("Values");
const QString kDateAttribute = QStringLiteral("Date");
const QString kSerialNoAttribute = QStringLiteral("SerialNo");
const QString kFWVersionAttribute = QStringLiteral("FWVersion");

// Writes the attribute unless the text is empty.
void writeKnown(Nelvar::IXmlElement& element, const QString& attribute, const QString& text)
{
    if (!text.isEmpty())
        element.SetAttribute(attribute, text);
}

// The date and time of the attribute: invalid when absent; a text that is no ISO date and time
// raises type mismatch (13).
QDateTime readDate(const Nelvar::IXmlElement& element)
{
    const QString text = element.GetAttribute(kDateAttribute);
    if (text.isEmpty())
        return {};
    QDateTime date = QDateTime::fromString(text, Qt::ISODate);
    if (!date.isValid())
        errors::raise(com::errTypeMismatch, kSource,
                      QStringLiteral("the service record's date \"%1\" is no date and time").arg(text));
    return date;
}

} // namespace

const QString ServiceRecord::kElementName = QStringLiteral("ServiceRecord");

void ServiceRecord::Initialize(const std::shared_ptr<Nelvar::ITestFilter>& filter, const QString& statusText,
                               const QString& valuesText)
{
    m_filterFlags = com::required(filter).Flags();
    m_statusText = statusText;
    m_valuesText = valuesText;
}

void ServiceRecord::recordRun(const QDateTime& handedOver, const Nelvar::IInstrumentInfo* instrument)
{
    m_runDate = handedOver.addMSecs(-handedOver.time().msec());
    m_serialNo = instrument ? instrument->SerialNo() : QString();
    m_fwVersion = instrument ? instrument->FWVersion() : QString();
}

std::shared_ptr<Nelvar::IXmlElement> ServiceRecord::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = records::createElement(com::required(document), kElementName, kSource);
    element->SetAttribute(kFilterAttribute, m_filterFlags);
    element->SetAttribute(kStatusAttribute, m_statusText);
    element->SetAttribute(kValuesAttribute, m_valuesText);
    if (m_runDate.isValid())
        element->SetAttribute(kDateAttribute, m_runDate.toString(Qt::ISODate));
    writeKnown(*element, kSerialNoAttribute, m_serialNo);
    writeKnown(*element, kFWVersionAttribute, m_fwVersion);
    return element;
}

void ServiceRecord::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                         const std::shared_ptr<Nelvar::IProgress>&)
{
    const Nelvar::IXmlElement& saved = com::required(element);
    records::requireName(saved, kElementName, kSource);
    const int32_t filterFlags = records::readWholeNumber(saved, kFilterAttribute, kSource);
    m_runDate = readDate(saved);
    m_filterFlags = filterFlags;
    m_statusText = saved.GetAttribute(kStatusAttribute);
    m_valuesText = saved.GetAttribute(kValuesAttribute);
    m_serialNo = saved.GetAttribute(kSerialNoAttribute);
    m_fwVersion = saved.GetAttribute(kFWVersionAttribute);
}

} // namespace host
