#include "CConfigZeltor.h"

#include "CParameterList.h"
#include "elements/RecordFields.h"
#include "TestErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "Registry.h"
#include "RunContext.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

#include <QStringList>

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CConfigZeltor");
const QString kElementName = QStringLiteral("PlugInData");
const QString kPlugInAttribute = QStringLiteral("PlugIn");
const QString kDuration = QStringLiteral("Duration");
const QString kNoiseLevel = QStringLiteral("NoiseLevel");
const QString kParameterList = QStringLiteral("ParameterList");
const QString kTestGuideSettings = QStringLiteral("TestGuideSettings");

constexpr int32_t kDefaultDuration = 60;
constexpr int32_t kDefaultNoiseLevel = 500;
constexpr int32_t kFlowTest = 300;

// The readings a test kind reports, in report order.
QStringList readingsOf(int32_t testKind)
{
    using namespace Zeltor::Keys;
    switch (testKind) {
    case 200:
        return {ACPR, LERA};
    case 300:
        return {ACFL};
    case 400:
        return {ACPR};
    case 500:
        return {HIPR};
    default:
        return {};
    }
}

} // namespace

void CConfigZeltor::setTestKind(int32_t testKind)
{
    if (m_testKind == 0)
        m_testKind = testKind;
}

void CConfigZeltor::LoadDefaultSettings()
{
    com::ignoreFailure([&] {
        auto parameters = std::make_shared<CParameterList>();
        for (const QString& key : readingsOf(m_testKind))
            parameters->Add(key);
        m_parameters = std::move(parameters);
    });
    m_duration = kDefaultDuration;
    m_noiseLevel = kDefaultNoiseLevel;
    com::ignoreFailure([&] {
        m_testGuideConfig = com::ClassRegistry::instance().createAs<Nelvar::ITestGuideConfig>(
            QString::fromLatin1(Nelvar::kTestGuideConfigProgId));
    });

    std::shared_ptr<Nelvar::IRegistry> registry;
    com::ignoreFailure([&] {
        registry = com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(
            QString::fromLatin1(Nelvar::kRegistryProgId));
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    });
    bool keyHasValues = false;
    com::ignoreFailure([&] { keyHasValues = com::required(registry).ValueCount() > 0; });
    if (!keyHasValues)
        return;
    com::ignoreFailure([&] { m_duration = com::Value(registry->GetValue(kDuration)).toInt32(); });
    com::ignoreFailure([&] { m_noiseLevel = com::Value(registry->GetValue(kNoiseLevel)).toInt32(); });
}

std::shared_ptr<Nelvar::IConfigData> CConfigZeltor::Clone() const
{
    try {
        auto copy = std::make_shared<CConfigZeltor>();
        copy->setTestKind(m_testKind);
        if (m_testGuideConfig)
            copy->setTestGuideConfig(m_testGuideConfig->Clone());
        if (m_parameters)
            copy->setParameters(m_parameters->Clone());
        copy->m_duration = m_duration;
        copy->m_noiseLevel = m_noiseLevel;
        return copy;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CConfigZeltor::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner)
{
    try {
        const Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName || record.GetAttribute(kPlugInAttribute) != Zeltor::kProduct)
            Zeltor::raiseOwnError(eeConfigWrongElement, kSource, 4);
        if (const auto child = record.FindChildElement(kParameterList))
            com::required(m_parameters).Load(child);
        readWholeNumberChild(record, kDuration, m_duration);
        readWholeNumberChild(record, kNoiseLevel, m_noiseLevel);
        if (const auto child = record.FindChildElement(kTestGuideSettings))
            com::required(m_testGuideConfig).Load(child, owner);
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CConfigZeltor::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = com::required(document).CreateElement(kElementName);
    Nelvar::IXmlElement& record = com::required(element);
    record.SetAttribute(kPlugInAttribute, Zeltor::kProduct);
    Nelvar::IUtilityService& utility = Nelvar::utilityService();
    record.AddChildElement(kDuration, utility.ValueToText(m_duration));
    if (m_parameters)
        if (const auto parameters = m_parameters->Save(document))
            record.AppendChild(parameters);
    if (m_testKind == kFlowTest)
        record.AddChildElement(kNoiseLevel, utility.ValueToText(m_noiseLevel));
    if (m_testGuideConfig)
        if (const auto testGuide = m_testGuideConfig->Save(document))
            record.AppendChild(testGuide);
    return element;
}

} // namespace ZeltorTests
