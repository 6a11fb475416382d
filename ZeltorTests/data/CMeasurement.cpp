#include "data/CMeasurement.h"

#include "data/CParameterDef.h"
#include "data/DataErrors.h"
#include "RecordReading.h"
#include "data/ParameterTable.h"

#include "Converter.h"
#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "Report.h"
#include "Xml.h"

#include "com/Required.h"
#include "format/Format.h"

#include <array>
#include <utility>

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CMeasurement");
const QString kElementName = QStringLiteral("Measurement");
const QString kKeyAttribute = QStringLiteral("Key");
const QString kValueElement = QStringLiteral("Value");
const QString kStatusElement = QStringLiteral("Status");

QString recordText(const com::Value& value) { return Nelvar::utilityService().ValueToText(value); }

} // namespace

const CParameterDef& CMeasurement::definition() const { return com::required(m_parameterDef); }

QString CMeasurement::Description() const { return definition().Caption(true); }

QString CMeasurement::Key() const { return definition().Key(); }

QString CMeasurement::LimitKey() const { return definition().Key(); }

QString CMeasurement::Unit() const { return definition().DisplayUnitText(); }

QString CMeasurement::ValueFormat() const { return definition().ValueFormat(); }

com::Value CMeasurement::Value() const
{
    return formatted(definition().Kind() == epkSingleReading ? m_current : m_average);
}

void CMeasurement::setParameterDef(std::shared_ptr<CParameterDef> definition)
{
    m_parameterDef = std::move(definition);
    m_hasConverter = m_parameterDef && m_parameterDef->Converter();
}

void CMeasurement::AddSample(float value)
{
    m_current = value;
    if (m_sampleCount == 0) {
        if (value == 0.0f)
            return;
        m_max = m_min = m_average = value;
        m_sampleCount = 1;
        return;
    }
    if (value > m_max)
        m_max = value;
    if (value < m_min)
        m_min = value;
    const double n = m_sampleCount;
    m_average = static_cast<float>((static_cast<double>(m_average) * n + static_cast<double>(value)) / (n + 1.0));
    ++m_sampleCount;
}

void CMeasurement::ResetStatistics()
{
    m_max = m_min = m_average = m_current;
    if (m_sampleCount > 1)
        m_sampleCount = 1;
}

QString CMeasurement::formatted(float baseValue) const
{
    const CParameterDef& def = definition();
    float shown = baseValue;
    if (m_hasConverter && def.Converter())
        shown = def.Converter()->ConvertFromInternalUnit(baseValue);
    return format::formatNumber(shown, def.ValueFormat(), format::localeDecimalSeparator());
}

QStringList CMeasurement::FormattedValues() const
{
    return {formatted(m_current), formatted(m_min), formatted(m_max), formatted(m_average)};
}

QString CMeasurement::ReportRow(Nelvar::IReport& report) const
{
    if ((report.PrintOptions() & Nelvar::IReport::proFailedResultsOnly) && m_status != emsFail)
        return {};
    const CParameterDef& def = definition();
    const auto figure = [&](float value) { return HasValues() ? formatted(value) : QStringLiteral("-"); };
    return QLatin1Char('|') + report.GetText(Zeltor::kProduct, def.Caption(false)) + QStringLiteral("      |")
        + figure(m_max) + QLatin1Char('|') + figure(m_min) + QLatin1Char('|') + figure(m_average) + QLatin1Char('|')
        + def.DisplayUnitText() + QLatin1Char(';');
}

std::shared_ptr<Nelvar::IXmlElement> CMeasurement::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            Zeltor::raiseOwnError(eeMeasurementCannotCreateElement, kSource, 4);
        const CParameterDef& def = definition();
        element->SetAttribute(kKeyAttribute, def.Key());
        element->AddChildElement(QStringLiteral("Description"), def.Caption(false));
        const std::array<std::pair<const char*, float>, 4> values{{
            {"Current", m_current},
            {"Max", m_max},
            {"Min", m_min},
            {"Average", m_average},
        }};
        for (const auto& [key, value] : values) {
            const auto child = element->AddChildElement(kValueElement, HasValues() ? recordText(value) : QString());
            child->SetAttribute(QStringLiteral("Type"), QStringLiteral("Numeric"));
            child->SetAttribute(kKeyAttribute, QString::fromLatin1(key));
        }
        element->AddChildElement(QStringLiteral("Unit"), def.DisplayUnitText());
        if (const auto status = Nelvar::xmlService().SaveStatus(document, m_status, recordText(m_statusFlags)))
            element->AppendChild(status);
        return element;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CMeasurement::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const com::Value&)
{
    try {
        const Nelvar::IXmlElement& record = com::required(element);
        const QString key = record.GetAttribute(kKeyAttribute);
        if (record.TagName() != kElementName || key.isEmpty() || !m_parameterDef || key != m_parameterDef->Key())
            Zeltor::raiseOwnError(eeMeasurementWrongElement, kSource, 4);
        Zeltor::records::readingRecord(QStringLiteral("Measurement \"%1\"").arg(key), [&] {
            const auto children = record.ChildElements();
            for (int32_t i = 0; i < children->Count(); ++i) {
                const auto child = children->Item(i);
                const QString tag = child->TagName();
                if (tag == kValueElement) {
                    const QString text = child->Text();
                    if (text.isEmpty())
                        continue;
                    const QString field = child->GetAttribute(kKeyAttribute);
                    const float value
                        = Zeltor::records::leadingSingleNumber(QStringLiteral("Value \"%1\"").arg(field), text);
                    if (field == QLatin1String("Current"))
                        m_current = value;
                    else if (field == QLatin1String("Max"))
                        m_max = value;
                    else if (field == QLatin1String("Min"))
                        m_min = value;
                    else if (field == QLatin1String("Average"))
                        m_average = value;
                    else
                        continue;
                    m_valuesLoaded = true;
                } else if (tag == kStatusElement) {
                    QString flags;
                    Nelvar::xmlService().LoadStatus(child, m_status, flags);
                    m_statusFlags = Zeltor::records::leadingWholeNumber(QStringLiteral("Text of \"Status\""), flags);
                }
            }
        });
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

} // namespace ZeltorTests
