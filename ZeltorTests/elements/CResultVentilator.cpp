#include "elements/CResultVentilator.h"

#include "elements/PageDialog.h"

#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CSettings.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"
#include "elements/ResultReportTable.h"

#include "data/CMeasurement.h"
#include "data/CParameterList.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/CZeltorMeasurementTable.h"
#include "data/DataErrors.h"

#include "Converters.h"
#include "EUnit.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "RecordNames.h"
#include "Report.h"
#include "Settings.h"
#include "SettingsValueNames.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CResultVentilator");
constexpr QLatin1String kPlugInDataName = Zeltor::RecordNames::kPlugInData;
constexpr int32_t kSamplesPerSecond = 50;

// Raw flow in ml/sec, rounded to four decimals as the waveform tables store it.
float flowOfRaw(int32_t raw) { return format::roundToDigits(static_cast<float>(raw * double{0.1f}), 4); }

} // namespace

CResultVentilator::CResultVentilator() : ResultRecord(kSource) {}

void CResultVentilator::InitializeResult(const std::shared_ptr<CConfigVentilator>& configuration,
                                         const std::shared_ptr<CZeltorLimitData>& limits)
{
    SetStatus(ersNone);
    m_configuration = configuration;
    m_limits = limits;
    m_breathsDetected = false;
    m_snapshots = std::make_shared<CSnapshotColl>();
    com::ignoreFailure([&] { m_waveform = newLiveWaveform(m_waveform); });
    const auto newCalculationSet = [&] {
        auto set = std::make_shared<CZeltorCalculationSet>();
        com::ignoreFailure([&] { set->Initialize(com::required(com::required(m_configuration).Parameters())); });
        return set;
    };
    m_calculations = newCalculationSet();
    m_trendCalculations = newCalculationSet();
    m_trends = std::make_shared<CTrendCollection>();
    com::ignoreFailure([&] {
        const auto& trendSettings = com::required(com::required(m_configuration).TrendSettings());
        if (!trendSettings.Active())
            return;
        const auto added = m_trends->Add(QString(), com::required(m_configuration->Parameters()));
        CTrend& trend = com::required(added);
        trend.Initialize(Nelvar::languageService().GetText(Zeltor::kProduct, QStringLiteral("20376::Predefined trend")),
                         trendSettings.Interval(), 0);
        trend.Start();
        m_trends->setLocked(true);
    });
    readThresholds();
}

std::shared_ptr<CWaveformData> CResultVentilator::newLiveWaveform(const std::shared_ptr<CWaveformData>& previous)
{
    auto waveform = CWaveformData::create();
    const QString key = QString::number(m_snapshotCounter) + QLatin1Char('S');
    ++m_snapshotCounter;
    waveform->Initialize(key, com::required(com::required(m_configuration).Parameters()),
                         com::required(m_configuration->Settings()).DetectLevel(), previous);
    return waveform;
}

void CResultVentilator::readThresholds()
{
    com::ignoreFailure([&] {
        m_flowThreshold =
            com::Value(com::Value(Zeltor::readSettingsValue(Zeltor::SettingsValues::kFlowThreshold)).toDouble() / 60.0)
                .toFloat();
    });
    com::ignoreFailure([&] {
        const float mmHg = com::Value(Zeltor::readSettingsValue(Zeltor::SettingsValues::kPressureThreshold)).toFloat();
        ZeltorConverter::CConvertCmH2O converter;
        converter.Initialize(ZeltorConverter::eunPressure_mmHg, QStringLiteral("mmHg"));
        m_pressureThreshold = converter.ConvertToInternalUnit(mmHg);
    });
}

void CResultVentilator::AddParameterResult(int32_t blockId, const com::Value& data, int32_t firmwareMajor)
{
    com::ignoreFailure([&] {
        com::required(m_calculations).ProcessBlock(blockId, data, firmwareMajor);
        if (!m_breathsDetected) {
            const auto breathRate = m_calculations->Item(Zeltor::Keys::BRRA);
            m_breathsDetected = breathRate && breathRate->HasSamples();
            return;
        }
        const auto trend = com::required(m_trends).LastTrend();
        if (trend && trend->Active()) {
            com::required(m_trendCalculations).ProcessBlock(blockId, data, firmwareMajor);
            trend->setBPMHasChanged(true);
        }
    });
}

float CResultVentilator::integratedVolume(int32_t rawFlow, float pressure)
{
    const float flow = flowOfRaw(rawFlow);
    if (pressure <= m_pressureThreshold && flow <= m_flowThreshold) {
        m_integratedVolume = 0.0f;
        return 0.0f;
    }
    m_integratedVolume = static_cast<float>(static_cast<double>(m_integratedVolume) + flow / double{kSamplesPerSecond});
    return m_integratedVolume;
}

void CResultVentilator::AddWaveformData(int32_t sequence, const com::Value& packet, int32_t firmwareMajor)
{
    const auto waveform = m_waveform;
    if (!waveform)
        return;
    const auto raw = [&](int32_t index) { return packet.at(index).toInt32(); };
    com::ignoreFailure([&] {
        waveform->PressureTable()->AddPacket(sequence, raw(0), raw(2), format::toInt16(firmwareMajor));
    });
    com::ignoreFailure([&] { waveform->FlowTable()->AddPacket(sequence, raw(1), raw(3), 0); });
    com::ignoreFailure([&] {
        const int32_t flow1 = raw(1);
        const int32_t flow2 = raw(3);
        // Both flow values are judged against the packet's newest pressure.
        const float pressure = waveform->PressureTable()->LastValue();
        // Whole millilitres, which the volume channel takes into litres.
        const int32_t volume1 = format::toInt32(integratedVolume(flow1, pressure));
        const int32_t volume2 = format::toInt32(integratedVolume(flow2, pressure));
        waveform->VolumeTable()->AddPacket(sequence, volume1, volume2, 0);
    });
}

void CResultVentilator::AddTrendSample(int32_t seconds)
{
    com::ignoreFailure([&] {
        const auto trend = com::required(m_trends).LastTrend();
        if (!trend)
            return;
        if (!m_breathsDetected) {
            trend->setStartTime(seconds);
            return;
        }
        trend->AddSample(com::required(m_trendCalculations));
        m_trendCalculations->ResetStatistics();
    });
}

void CResultVentilator::TakeSnapshot(int32_t currentX)
{
    const auto frozen = m_waveform;
    com::required(frozen);
    m_waveform = newLiveWaveform(frozen);
    const auto test = std::dynamic_pointer_cast<CTestVentilator>(com::required(m_configuration).OwnerTest());
    frozen->Freeze(com::required(test).ElapsedTime(), currentX);
    com::required(m_snapshots).Add(frozen);
}

void CResultVentilator::SetStatus(int32_t status)
{
    ResultRecord::SetStatus(status);
    if (status == ersNotApplicable) {
        com::required(m_trends).Clear();
        com::required(m_snapshots).Clear();
    }
}

QString CResultVentilator::pageClass() const
{
    return kDetailedResultViewPage;
}

const ResultRecord::Measurements* CResultVentilator::measurements() const
{
    return m_calculations ? &m_calculations->Items() : nullptr;
}

std::shared_ptr<Nelvar::IXmlElement> CResultVentilator::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    return saveRecord(document, [&](Nelvar::IXmlElement& record) {
        const auto plugInData = com::required(document).CreateElement(kPlugInDataName);
        com::required(plugInData).SetAttribute(QStringLiteral("PlugIn"), Zeltor::kProduct);
        if (const auto trends = com::required(m_trends).Save(document))
            plugInData->AppendChild(trends);
        if (const auto snapshots = com::required(m_snapshots).Save(document))
            plugInData->AppendChild(snapshots);
        if (plugInData->HasChildNodes())
            record.AppendChild(plugInData);
    });
}

void CResultVentilator::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                             const std::shared_ptr<Nelvar::IProgress>& progress)
{
    loadRecord(element, progress, QStringLiteral("20311::Loading ventilator test result data"), {},
               [&](const std::shared_ptr<Nelvar::IXmlElement>& child) {
                   const QString tag = child->TagName();
                   if (tag == QLatin1String("Measurement"))
                       loadMeasurement(child);
                   else if (tag == kPlugInDataName)
                       loadPlugInData(*child);
               });
}

void CResultVentilator::loadMeasurement(const std::shared_ptr<Nelvar::IXmlElement>& element) const
{
    const auto measurement = com::required(m_calculations).Item(element->GetAttribute(QStringLiteral("Key")));
    if (!measurement)
        return;
    try {
        measurement->Load(element);
    } catch (const com::Error& error) {
        // A measurement that rejects its record is skipped.
        if (error.number() != eeMeasurementWrongElement)
            throw;
    }
}

void CResultVentilator::loadPlugInData(const Nelvar::IXmlElement& plugInData)
{
    const CConfigVentilator& configuration = com::required(m_configuration);
    const CParameterList& parameters = com::required(configuration.Parameters());
    const auto children = plugInData.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        if (child->TagName() == Zeltor::RecordNames::kTrends)
            com::required(m_trends).Load(child, parameters);
        else if (child->TagName() == Zeltor::RecordNames::kSnapshots)
            com::required(m_snapshots).Load(child, parameters, com::required(configuration.Settings()).DetectLevel());
    }
}

void CResultVentilator::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                                    const std::shared_ptr<Nelvar::ITestSequence>&)
{
    if (!report)
        return;
    com::ignoreFailure([&] { printResultTable(*report, com::required(measurements())); });
    com::ignoreFailure([&] {
        if (!(report->PrintOptions() & Nelvar::IReport::proDetails) || report->PrintLevel() != Nelvar::IReport::kPrintLevelGraphs)
            return;
        com::ignoreFailure([&] { com::required(m_trends).PrintReport(*report); });
        com::ignoreFailure([&] { com::required(m_snapshots).PrintReport(*report); });
    });
}

} // namespace ZeltorTests
