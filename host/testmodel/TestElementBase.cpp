#include "TestElementBase.h"

#include "HostErrors.h"
#include "report/ElementHeading.h"
#include "xml/RecordFields.h"

#include "RecordNames.h"
#include "Report.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.TestElementBase");
const QString kPlugInAttribute = QStringLiteral("PlugIn");
const QString kTestIDAttribute = QStringLiteral("TestID");
const QString kIDAttribute = QStringLiteral("ID");
const QString kFilterAttribute = QStringLiteral("Filter");
constexpr QLatin1String kConfigurationName = Zeltor::RecordNames::kPlugInData;
constexpr QLatin1String kLimitsName = Zeltor::RecordNames::kExpectedResult;
constexpr QLatin1String kResultName = Zeltor::RecordNames::kResultItem;

// The part that loads a saved child; raises 91 when the base holds none.
template <typename Part>
Part& heldPart(const std::shared_ptr<Part>& part, const QString& childName)
{
    if (!part)
        errors::raise(com::errObjectNotSet, kSource,
                      QStringLiteral("the element holds nothing to load \"%1\" into").arg(childName));
    return *part;
}

// Appends the part's element when the part is held and gives one.
template <typename Part>
void appendSaved(Nelvar::IXmlElement& element, const std::shared_ptr<Part>& part,
                 const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    if (!part)
        return;
    if (const auto saved = part->Save(document))
        element.AppendChild(saved);
}

} // namespace

const QString TestElementBase::kElementName = Zeltor::RecordNames::kTestElement;

void TestElementBase::Initialize(const QString& plugInID, int32_t testID, int32_t id)
{
    m_plugInID = plugInID;
    m_testID = testID;
    m_id = id;
}

std::shared_ptr<Nelvar::ITestElementBase> TestElementBase::Clone() const
{
    auto copy = std::make_shared<TestElementBase>();
    copy->Initialize(m_plugInID, m_testID, m_id);
    *copy->m_info = *m_info;
    copy->m_filter->setFlags(m_filter->Flags());
    if (m_configuration) {
        copy->m_configuration = m_configuration->Clone();
        if (!copy->m_configuration)
            errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the configuration gave no copy"));
    }
    if (m_limits) {
        copy->m_limits = m_limits->Clone();
        if (!copy->m_limits)
            errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the limits gave no copy"));
    }
    return copy;
}

void TestElementBase::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                           const std::shared_ptr<com::Object>& owner)
{
    const Nelvar::IXmlElement& saved = com::required(element);
    const QString name = saved.TagName();
    if (name == kResultName)
        heldPart(m_result, kResultName).Load(element, nullptr);
    else if (name == kElementName)
        loadTestElement(saved, owner);
    else
        errors::raise(com::errInvalidCall, kSource,
                      QStringLiteral("the element \"%1\" is not a saved test element").arg(name));
}

void TestElementBase::loadTestElement(const Nelvar::IXmlElement& element, const std::shared_ptr<com::Object>& owner)
{
    const QString plugInID = element.GetAttribute(kPlugInAttribute);
    const int32_t testID = records::readWholeNumber(element, kTestIDAttribute, kSource);
    if (plugInID != m_plugInID || testID != m_testID)
        errors::raise(com::errInvalidCall, kSource,
                      QStringLiteral("the saved element is test %1 of \"%2\", not test %3 of \"%4\"")
                          .arg(testID)
                          .arg(plugInID)
                          .arg(m_testID)
                          .arg(m_plugInID));
    const int32_t id = records::readWholeNumber(element, kIDAttribute, kSource);
    const int32_t filterFlags = records::readWholeNumber(element, kFilterAttribute, kSource);

    const auto children = element.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        const QString name = child->TagName();
        if (name == kConfigurationName)
            heldPart(m_configuration, name).Load(child, owner);
        else if (name == kLimitsName)
            heldPart(m_limits, name).Load(child, owner);
        else if (name == kResultName && m_result)
            m_result->Load(child, nullptr);
    }
    m_id = id;
    m_filter->setFlags(filterFlags);
}

std::shared_ptr<Nelvar::IXmlElement> TestElementBase::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                           int32_t)
{
    const auto element = records::createElement(com::required(document), kElementName, kSource);
    element->SetAttribute(kPlugInAttribute, m_plugInID);
    element->SetAttribute(kTestIDAttribute, m_testID);
    element->SetAttribute(kIDAttribute, m_id);
    element->SetAttribute(kFilterAttribute, m_filter->Flags());
    appendSaved(*element, m_configuration, document);
    appendSaved(*element, m_limits, document);
    appendSaved(*element, m_result, document);
    return element;
}

void TestElementBase::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                                  const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    if (!report)
        return;
    printElementHeading(*report, elementHeadingText(*report, m_plugInID, *m_info), m_result.get());
    if (m_configuration)
        m_configuration->PrintReport(report);
    if (m_limits)
        m_limits->PrintReport(report, sequence);
    if (m_result)
        m_result->PrintReport(report, sequence);
}

void TestElementBase::Terminate()
{
    m_configuration.reset();
    m_limits.reset();
    m_result.reset();
    m_parent.reset();
}

} // namespace host
