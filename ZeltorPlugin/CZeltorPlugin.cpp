#include "CZeltorPlugin.h"

#include "CZeltorControlPanel.h"
#include "CZeltorSetup.h"
#include "Version.h"
#include "PlugInErrors.h"
#include "PlugInIcons.h"
#include "TestTemplate.h"

#include "IZeltorConfiguration.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "Tests.h"
#include "TestElement.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorPlugin {

namespace {

const QString kNameKey = QStringLiteral("20000::Zeltor Ventilator tester");

} // namespace

CZeltorPlugin::~CZeltorPlugin()
{
    releaseTests();
}

void CZeltorPlugin::releaseTests()
{
    if (m_tests)
        com::ignoreFailure([&] { m_tests->Clear(); });
    m_tests.reset();
}

QString CZeltorPlugin::ID() const
{
    return Zeltor::kProduct;
}

QImage CZeltorPlugin::Icon(int32_t lTestID, int32_t eisSize, int32_t) const
{
    QImage icon;
    com::ignoreFailure([&] { icon = loadIcon(lTestID, eisSize); });
    return icon;
}

QString CZeltorPlugin::Name() const
{
    QString name;
    com::ignoreFailure([&] { name = Nelvar::languageService().GetText(Zeltor::kProduct, kNameKey); });
    return name;
}

std::shared_ptr<Nelvar::ISetup> CZeltorPlugin::Setup() const
{
    return m_setup;
}

std::shared_ptr<Nelvar::ISetup> CZeltorPlugin::ControlPanel() const
{
    try {
        return std::make_shared<CZeltorControlPanel>();
    } catch (...) {
        passListedOrWrap({}, kPlugInSource);
    }
}

std::shared_ptr<Nelvar::ITests> CZeltorPlugin::Tests() const
{
    if (!m_tests || !m_initialized)
        Zeltor::raiseOwnError(eePlugInNotInitialized, kPlugInSource, 8);
    return m_tests;
}

QString CZeltorPlugin::Version() const
{
    return Zeltor::versionText();
}

void CZeltorPlugin::Initialize(const std::shared_ptr<com::Object>&)
{
    try {
        m_setup = std::make_shared<CZeltorSetup>();
        m_setup->Load();
        auto tests = readTestTemplate(m_setup->TemplatePath());
        releaseTests();
        m_tests = std::move(tests);
        m_initialized = true;
    } catch (...) {
        passListedOrWrap({eeTemplateNotFound, eeTemplateInvalid, eeTemplateFileError}, kPlugInSource);
    }
}

std::shared_ptr<Nelvar::ITestElement> CZeltorPlugin::CreateTest(int32_t lTestID)
{
    try {
        if (!m_initialized || !m_tests)
            Zeltor::raiseOwnError(eePlugInNotInitialized, kPlugInSource, 8);
        const auto prototype = m_tests->ItemByTestID(lTestID);
        if (!prototype)
            Zeltor::raiseOwnError(eeTestNotFound, kPlugInSource, 1);
        const auto test = prototype->Clone();
        if (const auto configuration = com::required(test).Configuration()) {
            const auto defaults = std::dynamic_pointer_cast<ZeltorTests::IZeltorConfiguration>(configuration);
            if (!defaults)
                throw com::Error::typeMismatch();
            defaults->LoadDefaultSettings();
        }
        return test;
    } catch (...) {
        passListedOrWrap({eePlugInNotInitialized, eeTestNotFound}, kPlugInSource);
    }
}

} // namespace ZeltorPlugin
