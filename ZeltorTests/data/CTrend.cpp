#include "data/CTrend.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CTrendParameter.h"
#include "data/DataErrors.h"
#include "data/ParameterTable.h"
#include "RecordReading.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "RecordNames.h"
#include "Xml.h"

#include "com/Required.h"
#include "format/Format.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("CTrend");
constexpr QLatin1String kElementName = Zeltor::RecordNames::kTrend;
const QString kKeyAttribute = QStringLiteral("Key");
const QString kStartTimeAttribute = QStringLiteral("StartTime");
const QString kIntervalAttribute = QStringLiteral("Interval");
const QString kTitleElement = QStringLiteral("Title");
const QString kCommentElement = QStringLiteral("Comment");

QString recordText(int32_t value) { return Nelvar::utilityService().ValueToText(value); }

// Seconds from an attribute: its leading number rounded halves to even; absent or empty gives 0.
int32_t secondsFrom(const Nelvar::IXmlElement& element, const QString& attribute)
{
    return Zeltor::records::leadingWholeNumber(attribute, element.GetAttribute(attribute));
}

} // namespace

void CTrend::CreateParameters(const QString& key, const CParameterList& parameters)
{
    m_key = key;
    for (const auto& definition : parameters) {
        if (definition->Kind() != epkBreath || !definition->Selected())
            continue;
        auto parameter = std::make_shared<CTrendParameter>();
        parameter->Initialize(weak_from_this(), definition);
        m_parameters.Add(std::move(parameter), definition->Key());
    }
}

void CTrend::Initialize(const QString& title, int32_t interval, int32_t startTime)
{
    m_title = title;
    m_interval = interval;
    m_startTime = startTime;
}

void CTrend::addPair(const CMeasurement& measurement)
{
    const QString key = measurement.Key();
    if (m_parameters.Contains(key))
        m_parameters.Item(key)->AddSample(measurement.MinValue(), measurement.MaxValue());
}

void CTrend::completeSample()
{
    com::ignoreFailure([&] { m_sampleCount = format::toInt32(static_cast<double>(m_sampleCount) + 1.0); });
    if (m_addSampleListener)
        com::ignoreFailure(m_addSampleListener);
}

int32_t CTrend::EndTime() const
{
    return format::toInt32(static_cast<double>(m_startTime)
                           + static_cast<double>(m_sampleCount) * static_cast<double>(m_interval));
}

QString CTrend::DisplayTitle() const
{
    return QLatin1Char('[') + Nelvar::languageService().GetText(Zeltor::kProduct, QStringLiteral("20510::Trend"))
           + QStringLiteral(": ") + m_title + QLatin1Char(']');
}

std::shared_ptr<Nelvar::IXmlElement> CTrend::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    if (m_parameters.Count() == 0)
        return nullptr;
    const auto element = com::required(document).CreateElement(kElementName);
    if (!element)
        Zeltor::raiseOwnError(eeTrendCannotCreateElement, kSource, 4);
    element->SetAttribute(kKeyAttribute, m_key);
    element->SetAttribute(kStartTimeAttribute, recordText(m_startTime));
    element->SetAttribute(kIntervalAttribute, recordText(m_interval));
    if (!m_title.isEmpty())
        element->AddChildElement(kTitleElement, m_title);
    if (!m_comment.isEmpty())
        element->AddChildElement(kCommentElement, m_comment);
    element->AddChildElement(QStringLiteral("SampleCount"), recordText(m_sampleCount));
    for (const auto& parameter : m_parameters)
        if (const auto saved = parameter->Save(document))
            element->AppendChild(saved);
    return element;
}

void CTrend::Print(CTrendPrinter& printer, Nelvar::IReport& report) const
{
    for (const auto& parameter : m_parameters)
        if (parameter->PrintOnReport())
            parameter->Print(printer, m_title, m_startTime, m_interval, report);
}

void CTrend::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters)
{
    if (!element || element->TagName() != kElementName)
        return;
    const Nelvar::IXmlElement& record = *element;
    CreateParameters(record.GetAttribute(kKeyAttribute), parameters);
    Zeltor::records::readingRecord(QStringLiteral("Trend \"%1\"").arg(m_key), [&] {
        m_startTime = secondsFrom(record, kStartTimeAttribute);
        m_interval = secondsFrom(record, kIntervalAttribute);
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i)
            loadChild(children->Item(i));
    });
    m_sampleCount = m_parameters.Count() > 0 ? m_parameters.Item(1)->SampleCount() : 0;
    m_bpmHasChanged = true;
}

void CTrend::loadChild(const std::shared_ptr<Nelvar::IXmlElement>& child)
{
    const QString tag = child->TagName();
    if (tag == QLatin1String("TrendParameter")) {
        // A parameter that the list does not select now has no place in the trend.
        const QString key = child->GetAttribute(kKeyAttribute);
        if (!m_parameters.Contains(key))
            return;
        Zeltor::records::readingRecord(QStringLiteral("TrendParameter \"%1\"").arg(key),
                                       [&] { m_parameters.Item(key)->Load(child); });
    } else if (tag == kTitleElement) {
        m_title = child->Text();
    } else if (tag == kCommentElement) {
        m_comment = child->Text();
    }
}

} // namespace ZeltorTests
