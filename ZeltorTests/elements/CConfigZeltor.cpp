#include "elements/CConfigZeltor.h"

#include "data/CParameterList.h"
#include "elements/RecordFields.h"
#include "elements/PageDialog.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Registry.h"
#include "SettingsValueNames.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"

#include <QStringList>

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CConfigZeltor");
using Zeltor::SettingsValues::kNoiseLevel; // the record child and the settings value

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

CConfigZeltor::CConfigZeltor() : ConfigurationRecord(kSource) {}

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
        setParameters(std::move(parameters));
    });
    m_noiseLevel = kDefaultNoiseLevel;
    resetSharedDefaults();
    const auto registry = openSettingsKey();
    bool keyHasValues = false;
    com::ignoreFailure([&] { keyHasValues = com::required(registry).ValueCount() > 0; });
    if (!keyHasValues)
        return;
    readDurationSetting(*registry);
    com::ignoreFailure([&] { m_noiseLevel = com::Value(registry->GetValue(kNoiseLevel)).toInt32(); });
}

std::shared_ptr<Nelvar::IConfigData> CConfigZeltor::Clone() const
{
    try {
        auto copy = std::make_shared<CConfigZeltor>();
        copy->setTestKind(m_testKind);
        copySharedInto(*copy);
        copy->m_noiseLevel = m_noiseLevel;
        return copy;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CConfigZeltor::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner)
{
    try {
        loadRecord(element, owner);
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

void CConfigZeltor::loadOwnChildren(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner)
{
    readWholeNumberChild(record, kNoiseLevel, m_noiseLevel);
    loadTestGuideSettings(record, owner);
}

void CConfigZeltor::appendOwnChildren(Nelvar::IXmlElement& record, const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    if (m_testKind == kFlowTest)
        record.AddChildElement(kNoiseLevel, Nelvar::utilityService().ValueToText(m_noiseLevel));
    appendTestGuideSettings(record, document);
}

QString CConfigZeltor::pageClass() const { return kConfigDialogPage; }

com::Value CConfigZeltor::pageData() { return com::Value(std::static_pointer_cast<CConfigZeltor>(shared_from_this())); }

} // namespace ZeltorTests
