#include "elements/CZeltorLimitData.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/DialogWrapper.h"
#include "IZeltorConfiguration.h"
#include "data/ParameterTable.h"
#include "elements/TestErrors.h"

#include "ErrorPassing.h"
#include "HostViews.h"
#include "HostServices.h"
#include "Product.h"
#include "RecordNames.h"
#include "RecordReading.h"
#include "Report.h"
#include "RunContext.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("CZeltorLimitData");
constexpr QLatin1String kElementName = Zeltor::RecordNames::kExpectedResult;

constexpr int32_t kStandardKind = 1;
constexpr int32_t kCheckFailed = 2;
// A limit as a refusal names it.
const QString kLimitName = QStringLiteral("Name of \"Limit\"");

template <typename Interface>
std::shared_ptr<Interface> createHostObject(const char* progId)
{
    return com::ClassRegistry::instance().createAs<Interface>(QString::fromLatin1(progId));
}

std::shared_ptr<Nelvar::IStandards> copyOf(const std::shared_ptr<Nelvar::IStandards>& standards)
{
    return standards ? standards->Clone() : nullptr;
}

bool needsLimit(const CParameterDef& definition)
{
    return definition.Selected() && definition.Kind() != epkWaveform;
}

// The 1-based position of the first limit of exactly that name; 0 when there is none.
int32_t positionOf(const Nelvar::ILimits& limits, const QString& name)
{
    for (int32_t position = 1; position <= limits.Count(); ++position)
        if (com::required(limits.Item(position)).Name() == name)
            return position;
    return 0;
}

void addLimit(Nelvar::IStandard& standard, const CParameterDef& definition)
{
    const auto limit = createHostObject<Nelvar::ILimit>(Nelvar::kLimitProgId);
    limit->Initialize(definition.Key(), definition.DisplayUnitText(), QString(), QString());
    if (definition.Converter()) {
        const auto numeric = std::dynamic_pointer_cast<Nelvar::INumericLimit>(limit);
        if (!numeric)
            throw com::Error::typeMismatch();
        numeric->SetConversion(definition.Converter(), definition.BaseUnitText());
    }
    standard.Add(limit);
}

void bringInLine(Nelvar::IStandard& standard, const CParameterList& parameters)
{
    for (const auto& definition : parameters) {
        const auto limits = standard.Limits();
        const int32_t position = positionOf(com::required(limits), definition->Key());
        if (position == 0) {
            if (needsLimit(*definition))
                addLimit(standard, *definition);
        } else if (!definition->Selected()) {
            limits->Remove(position);
        }
    }
}

} // namespace

CZeltorLimitData::~CZeltorLimitData()
{
    if (m_standards)
        com::ignoreFailure([&] { m_standards->Clear(); });
}

const IZeltorConfiguration& CZeltorLimitData::ownerConfiguration() const
{
    const auto configuration = com::required(m_owner.lock()).Configuration();
    com::required(configuration);
    const auto* zeltorConfiguration = dynamic_cast<const IZeltorConfiguration*>(configuration.get());
    if (!zeltorConfiguration)
        throw com::Error::typeMismatch();
    return *zeltorConfiguration;
}

std::shared_ptr<CParameterList> CZeltorLimitData::ownerParameters() const
{
    auto parameters = ownerConfiguration().Parameters();
    com::required(parameters);
    return parameters;
}

void CZeltorLimitData::ApplyConversions(const std::shared_ptr<IZeltorConfiguration>& configuration)
{
    if (!m_standards)
        return;
    const auto parameters = com::required(configuration).Parameters();
    const CParameterList& definitions = com::required(parameters);
    for (const auto& standard : *m_standards) {
        for (const auto& limit : com::required(com::required(standard).Limits())) {
            if (const auto numeric = std::dynamic_pointer_cast<Nelvar::INumericLimit>(limit)) {
                const QString key = limit->Name();
                if (!definitions.Contains(key))
                    Zeltor::records::refuse(com::errSubscript, kLimitName, key,
                                            QStringLiteral("not a parameter of the test"));
                const CParameterDef& definition = com::required(definitions.Item(key));
                numeric->SetConversion(definition.Converter(), definition.BaseUnitText());
            }
        }
    }
}

void CZeltorLimitData::SyncStandards()
{
    if (m_standards) {
        const auto parameters = ownerParameters();
        for (const auto& standard : *m_standards)
            bringInLine(com::required(standard), *parameters);
    }
    refreshDialog();
}

std::shared_ptr<Nelvar::IDialog> CZeltorLimitData::CreateDialog()
{
    const auto form = com::ClassRegistry::instance().createAs<IDialogWrapper>(kDialogWrapperProgId);
    const auto page = std::dynamic_pointer_cast<Nelvar::XLimitView>(
        form->CreateSetupCtrl(QString::fromLatin1(Nelvar::kLimitViewProgId)));
    if (!page) {
        form->Unload();
        return nullptr;
    }
    m_dialog = form;
    const std::weak_ptr<CZeltorLimitData> self = weak_from_this();
    m_dialogUnload = form->onUnload([self] {
        if (const auto data = self.lock()) {
            data->m_dialog.reset();
            data->m_dialogEvents.reset();
        }
    });
    m_dialogEvents = form->onControlEvent([self](const QString& eventName, const std::vector<com::Value>& args) {
        if (const auto data = self.lock())
            data->pageEvent(eventName, args);
    });
    com::ignoreFailure([&] { ParseLimitsToDialog(*page, ownerConfiguration()); });
    form->InitializeQuietly(com::Value(shared_from_this()));
    return form;
}

void CZeltorLimitData::ParseLimitsToDialog(Nelvar::XLimitView& page, const IZeltorConfiguration& configuration)
{
    for (const auto& definition : com::required(configuration.Parameters()))
        if (needsLimit(*definition))
            page.AddRow(definition->Key(), definition->Caption(true), definition->UnitList(), QString());
}

void CZeltorLimitData::refreshDialog()
{
    const auto form = m_dialog.lock();
    if (!form)
        return;
    const auto page = std::dynamic_pointer_cast<Nelvar::XLimitView>(form->SetupControl());
    if (page)
        com::ignoreFailure([&] { ParseLimitsToDialog(*page, ownerConfiguration()); });
    form->InitializeQuietly(com::Value(shared_from_this()));
}

void CZeltorLimitData::pageEvent(const QString& eventName, const std::vector<com::Value>& args)
{
    if (eventName != QLatin1String("Change") || args.empty())
        return;
    const auto limit = args.front().objectAs<Nelvar::ILimit>();
    if (limit)
        com::ignoreFailure([&] { LimitChanged(limit); });
}

void CZeltorLimitData::CopyStandardsFrom(const std::shared_ptr<Nelvar::ILimitData>& other)
{
    if (other)
        m_standards = copyOf(other->Standards());
}

void CZeltorLimitData::LimitChanged(const std::shared_ptr<Nelvar::ILimit>& limit)
{
    Nelvar::ILimit& edited = com::required(limit);
    const QString name = edited.Name();
    const QString unit = edited.Unit();
    const auto parameters = ownerParameters();
    CParameterDef& definition = com::required(parameters->Item(name));
    if (unit == definition.DisplayUnitText())
        return;
    if (!definition.UnitList().split(QLatin1Char(';')).contains(unit)) {
        edited.setUnit(definition.DisplayUnitText());
        return;
    }
    definition.setDisplayUnitText(unit);
    if (!m_standards)
        return;
    for (const auto& standard : *m_standards)
        for (const auto& each : com::required(com::required(standard).Limits()))
            if (com::required(each).Name() == name)
                each->setUnit(unit);
    SyncStandards();
}

std::shared_ptr<Nelvar::ILimitData> CZeltorLimitData::Clone() const
{
    auto copy = std::make_shared<CZeltorLimitData>();
    copy->m_standards = copyOf(m_standards);
    return copy;
}

std::shared_ptr<Nelvar::IStandard> CZeltorLimitData::CreateStandard(const QString& name, const QString& key2)
{
    const auto standard = createHostObject<Nelvar::IStandard>(Nelvar::kStandardProgId);
    standard->Initialize(name, key2, kStandardKind);
    for (const auto& definition : *ownerParameters())
        if (needsLimit(*definition))
            addLimit(*standard, *definition);
    if (!m_standards)
        m_standards = createHostObject<Nelvar::IStandards>(Nelvar::kStandardsProgId);
    m_standards->Add(standard);
    return standard;
}

void CZeltorLimitData::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                            const std::shared_ptr<com::Object>& owner)
{
    try {
        if (com::required(element).TagName() != kElementName)
            Nelvar::errorService().RaiseError(QString(), eeLimitDataWrongElement, kSource, 1);
        m_standards = createHostObject<Nelvar::IStandards>(Nelvar::kStandardsProgId);
        m_standards->Load(element, owner);
        if (m_standards->Count() == 0)
            m_standards.reset();
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CZeltorLimitData::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    if (!m_standards)
        return nullptr;
    const auto element = m_standards->Save(document);
    if (element)
        element->setTagName(kElementName);
    return element;
}

std::shared_ptr<Nelvar::IStandards> CZeltorLimitData::FindFailedStandards(
    const std::shared_ptr<Nelvar::IMeasurement>& measurement, const std::shared_ptr<Nelvar::IStandards>& context)
{
    std::shared_ptr<Nelvar::IStandards> failures;
    com::ignoreFailure([&] {
        if (!m_standards || !measurement || m_standards->Count() == 0 || !context)
            return;
        const QString key = measurement->Key();
        const auto measured = std::dynamic_pointer_cast<CMeasurement>(measurement);
        if (!measured)
            return;
        const float value = measured->CurrentValue();
        const auto failed = createHostObject<Nelvar::IStandards>(Nelvar::kStandardsProgId);
        for (const auto& contextStandard : *context) {
            // A standard that cannot be looked up or checked is passed over.
            com::ignoreFailure([&] {
                const Nelvar::IStandard& named = com::required(contextStandard);
                const auto own = m_standards->Item(0, named.Name(), named.Key2());
                if (!own)
                    return;
                int32_t status = 0;
                own->Check(key, value, com::Value::null(), status);
                if (status == kCheckFailed)
                    failed->Add(own);
            });
        }
        if (failed->Count() > 0)
            failures = failed;
    });
    return failures;
}


void CZeltorLimitData::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                                   const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    if (!m_standards || m_standards->Count() == 0)
        return;
    const CParameterList& parameters = com::required(ownerParameters());
    com::Value table = com::Value::make2D(parameters.Count(), 3);
    int32_t row = 0;
    for (const auto& definition : parameters) {
        table.at2D(row, 0) = definition->Key();
        table.at2D(row, 1) = com::required(report).GetText(Zeltor::kProduct, definition->Caption(false));
        table.at2D(row, 2) = definition->ValueFormat();
        ++row;
    }
    m_standards->PrintReport(report, sequence ? sequence->LimitContext() : nullptr, table);
}

} // namespace ZeltorTests
