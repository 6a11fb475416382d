#include "RecordLoaders.h"

#include "elements/CConfigVentilator.h"
#include "elements/CConfigZeltor.h"
#include "data/CMeasurement.h"
#include "data/CParameterList.h"
#include "elements/CResultVentilator.h"
#include "elements/CResultZeltor.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "elements/CZeltorLimitData.h"
#include "data/CZeltorMeasurementTable.h"

#include "GraphInterfaces.h"
#include "Host.h"
#include "HostServices.h"
#include "PlugIn.h"
#include "Product.h"
#include "Registry.h"
#include "Xml.h"
#include "testmodel/TestFilter.h"

#include "com/ClassRegistry.h"
#include "com/Error.h"
#include "com/Required.h"

#include <QFile>

#include <functional>

namespace fuzz {

namespace {

constexpr int32_t kSingleReadingTest = 300; // the flow test: its record also holds the noise level

std::shared_ptr<Nelvar::IXmlElement> parsed(const QByteArray& record)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    document->LoadXml(QString::fromUtf8(record));
    return document->DocumentElement();
}

QByteArray saved(const std::function<std::shared_ptr<Nelvar::IXmlElement>(const std::shared_ptr<Nelvar::IXmlDocument>&)>& save)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto element = save(document);
    if (!element)
        throw com::Error::objectNotSet();
    document->setDocumentElement(element);
    return document->Xml().toUtf8();
}

std::shared_ptr<ZeltorTests::CConfigVentilator> ventilatorConfiguration()
{
    auto configuration = std::make_shared<ZeltorTests::CConfigVentilator>();
    configuration->LoadDefaultSettings();
    return configuration;
}

std::shared_ptr<ZeltorTests::CConfigZeltor> singleReadingConfiguration()
{
    auto configuration = std::make_shared<ZeltorTests::CConfigZeltor>();
    configuration->setTestKind(kSingleReadingTest);
    configuration->LoadDefaultSettings();
    return configuration;
}

std::shared_ptr<ZeltorTests::CResultVentilator> preparedVentilatorResult(
    const std::shared_ptr<ZeltorTests::CConfigVentilator>& configuration)
{
    auto result = std::make_shared<ZeltorTests::CResultVentilator>();
    result->InitializeResult(configuration, std::make_shared<ZeltorTests::CZeltorLimitData>());
    return result;
}

std::shared_ptr<ZeltorTests::CResultZeltor> preparedSingleReadingResult()
{
    auto result = std::make_shared<ZeltorTests::CResultZeltor>();
    result->InitializeResult(singleReadingConfiguration(), kSingleReadingTest);
    return result;
}

void completeRecord(ZeltorTests::ResultRecord& result)
{
    result.EvaluateLimits(nullptr, nullptr);
    result.setComment(QStringLiteral("Checked after the filter change"));
    result.setMTIID(3);
    const auto filter = std::make_shared<host::TestFilter>();
    filter->setFlags(1);
    result.CreateServiceRecord(filter);
}

// A ventilator result with every breath parameter measured, a trend of every parameter with a
// minute of samples, and a snapshot of two seconds of every channel, parts of both marked to
// print and shown on scales of their own.
QByteArray ventilatorResultSeed()
{
    const auto configuration = ventilatorConfiguration();
    const auto result = preparedVentilatorResult(configuration);
    float value = 1.5f;
    for (const auto& measurement : *result->CalculationSet())
        for (int sample = 0; sample < 3; ++sample)
            measurement->AddSample(value += 0.25f);

    const ZeltorTests::CParameterList& parameters = *configuration->Parameters();
    const auto trend = result->Trends()->Add(QStringLiteral("N"), parameters);
    trend->Initialize(QStringLiteral("Night"), 10, 30);
    trend->setComment(QStringLiteral("Leak test"));
    for (int sample = 0; sample < 6; ++sample)
        for (const auto& parameter : *trend)
            parameter->AddSample(static_cast<float>(sample), static_cast<float>(sample) + 12.34f);
    const auto printed = *trend->begin();
    printed->setPrintOnReport(true);
    printed->Settings()->setAutoScaleY(false);
    printed->Settings()->setYmax(40.0f);

    const auto snapshot = ZeltorTests::CWaveformData::create();
    snapshot->Initialize(QStringLiteral("0S"), parameters, 9000);
    for (int sample = 0; sample < 100; ++sample) {
        snapshot->FlowTable()->AddValue(static_cast<float>(sample) * 1.5f);
        snapshot->PressureTable()->AddValue(static_cast<float>(sample) * -0.25f);
        snapshot->VolumeTable()->AddValue(static_cast<float>(sample));
    }
    snapshot->FlowTable()->setPrintOnReport(true);
    snapshot->FlowTable()->SyncXScale(10, 90, false);
    snapshot->Freeze(130, 100);
    snapshot->setComment(QStringLiteral("Peak flow"));
    result->Snapshots()->Add(snapshot);

    completeRecord(*result);
    return saved([&](const auto& document) { return result->Save(document); });
}

QByteArray singleReadingResultSeed()
{
    const auto result = preparedSingleReadingResult();
    for (int32_t index = 1; index <= result->MeasurementCount(); ++index) {
        const auto measurement = std::dynamic_pointer_cast<ZeltorTests::CMeasurement>(result->Measurement(index));
        for (const float sample : {12.5f, 13.25f, 11.75f})
            com::required(measurement).AddSample(sample);
    }
    completeRecord(*result);
    return saved([&](const auto& document) { return result->Save(document); });
}

QByteArray templateSeed()
{
    QFile file(QStringLiteral(ZELTOR_TEMPLATE_FILE));
    if (!file.open(QIODevice::ReadOnly))
        throw com::Error::fileNotFound();
    return file.readAll();
}

void loadTemplate(const QByteArray& record, const LoaderHost& host)
{
    QFile file(host.templatePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(record) != record.size())
        throw com::Error::fileNotFound();
    file.close();
    const auto plugIn = com::ClassRegistry::instance().createAs<Nelvar::IPlugIn>(QStringLiteral("ZeltorPlugin.CZeltorPlugin"));
    plugIn->Initialize(nullptr);
}

} // namespace

QString loaderName(Loader loader)
{
    switch (loader) {
    case Loader::VentilatorResult: return QStringLiteral("ventilator-result");
    case Loader::SingleReadingResult: return QStringLiteral("single-reading-result");
    case Loader::VentilatorConfiguration: return QStringLiteral("ventilator-configuration");
    case Loader::SingleReadingConfiguration: return QStringLiteral("single-reading-configuration");
    case Loader::TestTemplate: return QStringLiteral("test-template");
    }
    return {};
}

LoaderHost::LoaderHost()
{
    if (!m_folder.isValid())
        throw com::Error::fileNotFound();
    qputenv("NELVAR_REGISTRY", m_folder.filePath(QStringLiteral("registry.json")).toLocal8Bit());
    host::installHost();
    m_loop = std::make_shared<events::VirtualEventLoop>();
    events::EventLoop::install(m_loop);
    m_boxes = std::make_shared<events::ScriptedMessageBoxes>();
    events::MessageBoxes::install(m_boxes);
    com::ClassRegistry& classes = com::ClassRegistry::instance();
    classes.registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
    classes.registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto registry = classes.createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
    registry->SetValue(QStringLiteral("Configuration"), templatePath());
}

LoaderHost::~LoaderHost()
{
    events::MessageBoxes::install(nullptr);
    events::EventLoop::install(nullptr);
    qunsetenv("NELVAR_REGISTRY");
}

QString LoaderHost::templatePath() const { return m_folder.filePath(QStringLiteral("template.mpc")); }

void load(Loader loader, const QByteArray& record, const LoaderHost& host)
{
    switch (loader) {
    case Loader::VentilatorResult:
        preparedVentilatorResult(ventilatorConfiguration())->Load(parsed(record), nullptr);
        return;
    case Loader::SingleReadingResult:
        preparedSingleReadingResult()->Load(parsed(record), nullptr);
        return;
    case Loader::VentilatorConfiguration:
        ventilatorConfiguration()->Load(parsed(record), nullptr);
        return;
    case Loader::SingleReadingConfiguration:
        singleReadingConfiguration()->Load(parsed(record), nullptr);
        return;
    case Loader::TestTemplate:
        loadTemplate(record, host);
        return;
    }
}

QByteArray seedRecord(Loader loader)
{
    switch (loader) {
    case Loader::VentilatorResult: return ventilatorResultSeed();
    case Loader::SingleReadingResult: return singleReadingResultSeed();
    case Loader::VentilatorConfiguration:
        return saved([](const auto& document) { return ventilatorConfiguration()->Save(document); });
    case Loader::SingleReadingConfiguration:
        return saved([](const auto& document) { return singleReadingConfiguration()->Save(document); });
    case Loader::TestTemplate: return templateSeed();
    }
    return {};
}

} // namespace fuzz
