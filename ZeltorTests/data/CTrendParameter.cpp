#include "data/CTrendParameter.h"

#include "data/CGraphSettings.h"
#include "data/CParameterDef.h"
#include "data/CTrend.h"
#include "data/CTrendPrinter.h"

#include "Converter.h"
#include "Standards.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"

#include <utility>

namespace ZeltorTests {

namespace {

const QString kElementName = QStringLiteral("TrendParameter");
const QString kPrintOnReportElement = QStringLiteral("PrintOnReport");

} // namespace

CTrendParameter::CTrendParameter()
    : m_settings(std::make_shared<CGraphSettings>())
{
}

void CTrendParameter::Initialize(std::weak_ptr<CTrend> parent, std::shared_ptr<CParameterDef> definition)
{
    m_parent = std::move(parent);
    m_definition = std::move(definition);
    m_hasConverter = m_definition && m_definition->Converter();
}

const CParameterDef& CTrendParameter::definition() const { return com::required(m_definition); }

const CTrend& CTrendParameter::parent() const { return com::required(m_parent.lock()); }

float CTrendParameter::displayValue(float baseValue) const
{
    if (!m_hasConverter)
        return baseValue;
    return com::required(definition().Converter()).ConvertFromInternalUnit(baseValue);
}

void CTrendParameter::AddSample(float min, float max)
{
    m_minMaxChange = false;
    const bool first = m_samples.empty();
    m_samples.push_back({min, max});
    if (first || min < m_overallMin) {
        m_overallMin = min;
        m_minMaxChange = true;
    }
    if (first || max > m_overallMax) {
        m_overallMax = max;
        m_minMaxChange = true;
    }
    draw(m_samples.back());
}

void CTrendParameter::draw(const TrendSample& sample) const
{
    if (!m_pipeline)
        return;
    com::ignoreFailure([&] { m_pipeline->DrawValue(displayValue(sample.min), displayValue(sample.max)); });
}

float CTrendParameter::MinValue() const { return displayValue(m_overallMin); }

float CTrendParameter::MaxValue() const { return displayValue(m_overallMax); }

std::vector<float> CTrendParameter::Values(int32_t which, bool fConvert) const
{
    std::vector<float> values;
    values.reserve(m_samples.size());
    for (const TrendSample& sample : m_samples) {
        const float value = which == 2 ? sample.max : sample.min;
        values.push_back(fConvert ? displayValue(value) : value);
    }
    return values;
}

QString CTrendParameter::Key() const { return definition().Key(); }

QString CTrendParameter::Caption(bool fTranslate) const { return definition().Caption(fTranslate); }

QString CTrendParameter::ValueFormat() const { return definition().ValueFormat(); }

void CTrendParameter::ApplyLimits(const std::shared_ptr<Nelvar::IStandard>& standard)
{
    m_limit = nullptr;
    com::ignoreFailure([&] {
        if (standard) {
            const QString key = Key();
            for (const auto& limit : com::required(standard->Limits())) {
                if (com::required(limit).Name() == key) {
                    m_limit = limit;
                    break;
                }
            }
        }
        if (m_pipeline)
            m_pipeline->SetLimit(m_limit);
    });
}

std::shared_ptr<ZeltorGraph::IGraphDataParent> CTrendParameter::Parent() const { return m_parent.lock(); }

QString CTrendParameter::Title() const { return Caption(true) + QLatin1Char(' ') + parent().DisplayTitle(); }

QString CTrendParameter::Unit() const { return definition().DisplayUnitText(); }

std::shared_ptr<ZeltorGraph::IGraphSettings> CTrendParameter::Settings() const { return m_settings; }

void CTrendParameter::HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline)
{
    m_pipeline = igpPipeline;
    com::ignoreFailure([&] {
        ZeltorGraph::IGraphPipeline& pipeline = com::required(m_pipeline);
        pipeline.SetLimit(m_limit);
        const CTrend& trend = parent();
        pipeline.SetGraphSettings(trend.StartTime(), SampleCount(), trend.Interval());
        for (const TrendSample& sample : m_samples)
            draw(sample);
        const float ymin = m_settings->Ymin();
        const auto span = static_cast<float>(static_cast<double>(m_settings->Ymax()) - ymin);
        pipeline.SetYScale(ymin, span, m_settings->AutoScaleY());
    });
}

void CTrendParameter::ReleasePipeline(bool fStoreSettings)
{
    const auto pipeline = std::exchange(m_pipeline, nullptr);
    if (pipeline && fStoreSettings)
        com::ignoreFailure([&] { pipeline->StoreSettings(m_settings); });
}

void CTrendParameter::Print(CTrendPrinter& printer, const QString& title, int32_t startTime, int32_t interval,
                            Nelvar::IReport& report) const
{
    printer.PrintTrend(*this, title, startTime, interval, report);
}

void CTrendParameter::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    const Nelvar::IXmlElement& record = com::required(element);
    if (record.TagName() != kElementName)
        return;
    if (const auto settings = record.FindChildElement(QStringLiteral("GraphSettings")))
        m_settings->Load(settings);
    const auto printOnReport = record.FindChildElement(kPrintOnReportElement);
    m_printOnReport = printOnReport && printOnReport->Text() == QLatin1String("True");
    if (const auto values = record.FindChildElement(QStringLiteral("Values")))
        readTrendValues(*values, [this](const TrendSample& sample) { AddSample(sample.min, sample.max); });
}

std::shared_ptr<Nelvar::IXmlElement> CTrendParameter::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    std::shared_ptr<Nelvar::IXmlElement> saved;
    com::ignoreFailure([&] {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            return;
        element->SetAttribute(QStringLiteral("Key"), Key());
        if (const auto settings = m_settings->Save(document))
            element->AppendChild(settings);
        if (m_printOnReport)
            element->AddChildElement(kPrintOnReportElement, QStringLiteral("True"));
        if (const auto values = saveTrendValues(document, m_samples))
            element->AppendChild(values);
        saved = element;
    });
    return saved;
}

} // namespace ZeltorTests
