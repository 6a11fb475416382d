#include "CResultVentilator.h"

#include "CConfigVentilator.h"
#include "CPreDefinedTrendSettings.h"
#include "CSettings.h"
#include "CTestVentilator.h"
#include "CZeltorLimitData.h"
#include "LibraryVersion.h"
#include "TestErrors.h"
#include "MGlobalFunctions.h"

#include "CMeasurement.h"
#include "CParameterList.h"
#include "CSnapshotColl.h"
#include "CTrend.h"
#include "CTrendCollection.h"
#include "CWaveformData.h"
#include "CZeltorCalculationSet.h"
#include "CZeltorMeasurementTable.h"
#include "DataErrors.h"

#include "Converters.h"
#include "EUnit.h"
#include "ErrorPassing.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "RunContext.h"
#include "Settings.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CResultVentilator");
const QString kElementName = QStringLiteral("ResultItem");
const QString kPlugInDataName = QStringLiteral("PlugInData");
constexpr int32_t kSamplesPerSecond = 50;

// Raw flow in ml/sec, rounded to four decimals as the waveform tables store it.
float flowOfRaw(int32_t raw) { return MGlobalFunctions::RoundToDigits(static_cast<float>(raw * double{0.1f}), 4); }

} // namespace

void CResultVentilator::InitializeResult(const std::shared_ptr<CConfigVentilator>& configuration,
                                         const std::shared_ptr<CZeltorLimitData>& limits)
{
    m_status = ersNone;
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
            com::Value(com::Value(Zeltor::readSettingsValue(QStringLiteral("FlowThreshold"))).toDouble() / 60.0)
                .toFloat();
    });
    com::ignoreFailure([&] {
        const float mmHg = com::Value(Zeltor::readSettingsValue(QStringLiteral("PressureThreshold"))).toFloat();
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
        const int32_t volume1 = format::toInt32(integratedVolume(flow1, pressure));
        const int32_t volume2 = format::toInt32(integratedVolume(flow2, pressure));
        waveform->VolumeTable()->AddPacket(sequence, volume1, volume2, 0);
    });
}

void CResultVentilator::EvaluateLimits(const std::shared_ptr<Nelvar::ILimitData>& limits,
                                       const std::shared_ptr<Nelvar::IStandards>& context)
{
    com::ignoreFailure([&] {
        const CZeltorCalculationSet& measurements = com::required(m_calculations);
        bool anySamples = false;
        for (const auto& measurement : measurements)
            anySamples = anySamples || measurement->HasSamples();
        // A run without a single breath block is not reported as passed.
        if (m_status == ersNone && anySamples)
            m_status = ersPass;
        if (!context)
            return;
        for (const auto& measurement : measurements) {
            if (!measurement->HasSamples())
                continue;
            com::ignoreFailure([&] {
                if (com::required(limits).FindFailedStandards(measurement, context)) {
                    measurement->setStatus(CMeasurement::emsFail);
                    m_status = ersFail;
                } else {
                    measurement->setStatus(CMeasurement::emsPass);
                }
            });
        }
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

void CResultVentilator::CreateServiceRecord(const std::shared_ptr<Nelvar::ITestFilter>& filter)
{
    if (!(com::required(filter).Flags() & 1) || m_status == ersNone)
        return;
    QString statusText;
    QString valuesText;
    if (m_status == ersNotApplicable) {
        statusText = QStringLiteral("NA");
    } else {
        for (const auto& measurement : com::required(m_calculations)) {
            if (measurement->Status() == CMeasurement::emsFail)
                statusText = QStringLiteral("F");
            const QString value = measurement->Value().toString();
            if (!value.isEmpty())
                valuesText += QLatin1Char('/') + value;
        }
    }
    m_serviceRecord = com::ClassRegistry::instance().createAs<Nelvar::IServiceRecord>(
        QString::fromLatin1(Nelvar::kServiceRecordProgId));
    m_serviceRecord->Initialize(filter, statusText, valuesText);
}

void CResultVentilator::SetStatus(int32_t status)
{
    m_status = status;
    if (status == ersNotApplicable) {
        com::required(m_trends).Clear();
        com::required(m_snapshots).Clear();
    }
}

std::shared_ptr<Nelvar::IMeasurement> CResultVentilator::Measurement(int32_t index) const
{
    return m_calculations ? m_calculations->Item(index) : nullptr;
}

std::shared_ptr<Nelvar::IMeasurement> CResultVentilator::Measurement(const QString& key) const
{
    return m_calculations ? m_calculations->Item(key) : nullptr;
}

int32_t CResultVentilator::MeasurementCount() const { return m_calculations ? m_calculations->Count() : 0; }

std::shared_ptr<Nelvar::IXmlElement> CResultVentilator::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    try {
        Nelvar::IXmlDocument& doc = com::required(document);
        const auto element = doc.CreateElement(kElementName);
        if (!element)
            Zeltor::raiseOwnError(eeResultCannotCreateElement, kSource, 3);
        element->SetAttribute(QStringLiteral("Version"), libraryVersionText());
        if (m_mtiId != 0)
            element->SetAttribute(QStringLiteral("MTI"), m_mtiId);
        if (const auto status = Nelvar::xmlService().SaveStatus(document, m_status, QString()))
            element->AppendChild(status);
        if (!m_comment.isEmpty())
            element->AddChildElement(QStringLiteral("Comment"), m_comment);
        if (m_serviceRecord)
            if (const auto record = m_serviceRecord->Save(document))
                element->AppendChild(record);
        for (const auto& measurement : com::required(m_calculations))
            if (const auto saved = measurement->Save(document))
                element->AppendChild(saved);
        const auto plugInData = doc.CreateElement(kPlugInDataName);
        plugInData->SetAttribute(QStringLiteral("PlugIn"), Zeltor::kProduct);
        if (const auto trends = com::required(m_trends).Save(document))
            plugInData->AppendChild(trends);
        if (const auto snapshots = com::required(m_snapshots).Save(document))
            plugInData->AppendChild(snapshots);
        if (plugInData->HasChildNodes())
            element->AppendChild(plugInData);
        return element;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CResultVentilator::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                             const std::shared_ptr<Nelvar::IProgress>& progress)
{
    int32_t task = 0;
    const auto endTask = [&] {
        if (progress && task != 0)
            com::ignoreFailure([&] { progress->EndTask(task); });
    };
    try {
        if (progress)
            progress->BeginTask(Zeltor::kProduct, QStringLiteral("20311::Loading ventilator test result data"), task);
        const Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName)
            Zeltor::raiseOwnError(eeResultWrongElement, kSource, 4);
        const QString mti = record.GetAttribute(QStringLiteral("MTI"));
        if (!mti.isEmpty())
            m_mtiId = format::toInt32(format::leadingNumber(mti));
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const auto child = children->Item(i);
            const QString tag = child->TagName();
            if (tag == QLatin1String("Comment")) {
                m_comment = child->Text();
            } else if (tag == QLatin1String("Status")) {
                QString text;
                Nelvar::xmlService().LoadStatus(child, m_status, text);
            } else if (tag == QLatin1String("ServiceRecord")) {
                auto serviceRecord = com::ClassRegistry::instance().createAs<Nelvar::IServiceRecord>(
                    QString::fromLatin1(Nelvar::kServiceRecordProgId));
                serviceRecord->Load(child, progress);
                m_serviceRecord = std::move(serviceRecord);
            } else if (tag == QLatin1String("Measurement")) {
                if (const auto measurement = com::required(m_calculations).Item(child->GetAttribute(QStringLiteral("Key")))) {
                    try {
                        measurement->Load(child);
                    } catch (const com::Error& error) {
                        // A measurement that rejects its record is skipped.
                        if (error.number() != eeMeasurementWrongElement)
                            throw;
                    }
                }
            } else if (tag == kPlugInDataName) {
                loadPlugInData(*child);
            }
        }
        endTask();
    } catch (...) {
        endTask();
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CResultVentilator::loadPlugInData(const Nelvar::IXmlElement& plugInData)
{
    const CConfigVentilator& configuration = com::required(m_configuration);
    const CParameterList& parameters = com::required(configuration.Parameters());
    const auto children = plugInData.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        if (child->TagName() == QLatin1String("Trends"))
            com::required(m_trends).Load(child, parameters);
        else if (child->TagName() == QLatin1String("Snapshots"))
            com::required(m_snapshots).Load(child, parameters, com::required(configuration.Settings()).DetectLevel());
    }
}

} // namespace ZeltorTests
