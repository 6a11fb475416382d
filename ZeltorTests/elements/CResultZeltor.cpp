#include "elements/CResultZeltor.h"

#include "elements/PageDialog.h"

#include "elements/CConfigZeltor.h"
#include "IZeltorConfiguration.h"
#include "elements/ResultReportTable.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/DataErrors.h"

#include "CZeltorVTI.h"
#include "GMTI.h"

#include "ParameterKeys.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("CResultZeltor");

enum ETestKind : int32_t {
    etkLeakage = 200,
    etkFlow = 300,
    etkPressure = 400,
    etkHighPressure = 500,
};

// Leak rate and flow come in tenths whatever the firmware.
constexpr float kTenth = 0.1f;

// Pressures come in tenths below firmware major 3 and in hundredths from 3 on.
float pressureScaleOf(int32_t firmwareMajor) { return firmwareMajor >= 3 ? 0.01f : 0.1f; }

} // namespace

CResultZeltor::CResultZeltor() : ResultRecord(kSource) {}

void CResultZeltor::InitializeResult(const std::shared_ptr<IZeltorConfiguration>& configuration, int32_t testId)
{
    SetStatus(ersNone);
    m_configuration = configuration;
    m_measurements.Clear();
    com::ignoreFailure([&] {
        for (const auto& definition : com::required(com::required(m_configuration).Parameters()))
            com::ignoreFailure([&] {
                auto measurement = std::make_shared<CMeasurement>();
                measurement->setParameterDef(definition);
                m_measurements.Add(std::move(measurement), definition->Key());
            });
    });
    if (testId == etkFlow)
        com::ignoreFailure([&] { UpdateDeadBand(); });
}

void CResultZeltor::UpdateDeadBand()
{
    const auto configuration = std::dynamic_pointer_cast<CConfigZeltor>(m_configuration);
    const double perSecond = com::required(configuration).NoiseLevel() / 60.0;
    m_deadBand = com::Value(perSecond / double{kTenth}).toFloat();
}

int32_t CResultZeltor::ApplyDeadBand(int32_t raw) const
{
    const auto value = static_cast<double>(raw);
    const auto band = static_cast<double>(m_deadBand);
    return value <= -band || value >= band ? raw : 0;
}

void CResultZeltor::addSample(const QString& key, double value) const
{
    if (m_measurements.Contains(key))
        m_measurements.Item(key)->AddSample(com::Value(value).toFloat());
}

void CResultZeltor::AddInstrumentData(int32_t testId, int32_t, const com::Value& values)
{
    float pressureScale = pressureScaleOf(0);
    com::ignoreFailure([&] { pressureScale = pressureScaleOf(ZeltorVTI::GMTI.VTI()->FWVersionMajor()); });
    // Each reading is one step: a missing value skips only its own reading.
    const auto add = [&](const QString& key, int32_t index, float factor, bool deadBand = false) {
        com::ignoreFailure([&] {
            const int32_t raw = values.at(index).toInt32();
            addSample(key, static_cast<double>(deadBand ? ApplyDeadBand(raw) : raw) * factor);
        });
    };
    using namespace Zeltor::Keys;
    switch (testId) {
    case etkLeakage:
        add(ACPR, 2, pressureScale);
        add(ACPR, 0, pressureScale);
        add(LERA, 3, kTenth);
        add(LERA, 1, kTenth);
        break;
    case etkFlow:
        add(ACFL, 2, kTenth, true);
        add(ACFL, 0, kTenth, true);
        break;
    case etkPressure:
        add(ACPR, 2, pressureScale);
        add(ACPR, 0, pressureScale);
        break;
    case etkHighPressure: {
        // Ten times the pressure scale, rounded to single precision.
        const auto highPressureScale = static_cast<float>(double{pressureScale} * 10.0);
        add(HIPR, 2, highPressureScale);
        add(HIPR, 0, highPressureScale);
        break;
    }
    default:
        break;
    }
}

std::shared_ptr<Nelvar::IXmlElement> CResultZeltor::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    return saveRecord(document, {});
}

void CResultZeltor::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                         const std::shared_ptr<Nelvar::IProgress>& progress)
{
    loadRecord(
        element, progress, QStringLiteral("20312::Loading test result data"),
        [&] {
            m_measurements.Clear();
            clearRecord();
        },
        [&](const std::shared_ptr<Nelvar::IXmlElement>& child) {
            if (child->TagName() != QLatin1String("Measurement"))
                return;
            if (auto measurement = LoadMeasurement(child)) {
                const QString key = measurement->Key();
                m_measurements.Add(std::move(measurement), key);
            }
        });
}

std::shared_ptr<CMeasurement> CResultZeltor::LoadMeasurement(const std::shared_ptr<Nelvar::IXmlElement>& element) const
{
    // A parameter that the configuration does not hold, and a record that the measurement rejects
    // as not its own, leave the child out; a record that cannot be read is reported.
    const QString key = element->GetAttribute(QStringLiteral("Key"));
    const CParameterList& parameters = com::required(com::required(m_configuration).Parameters());
    if (!parameters.Contains(key))
        return nullptr;
    auto measurement = std::make_shared<CMeasurement>();
    measurement->setParameterDef(parameters.Item(key));
    try {
        measurement->Load(element);
    } catch (const com::Error& error) {
        if (error.number() != eeMeasurementWrongElement)
            throw;
        return nullptr;
    }
    return measurement;
}


void CResultZeltor::PrintReport(const std::shared_ptr<Nelvar::IReport>& report, const std::shared_ptr<Nelvar::ITestSequence>&)
{
    if (report)
        com::ignoreFailure([&] { printResultTable(*report, m_measurements); });
}

QString CResultZeltor::pageClass() const
{
    return kDetailedResultZeltorPage;
}

} // namespace ZeltorTests
