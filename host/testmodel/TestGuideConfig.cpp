#include "TestGuideConfig.h"

#include "xml/RecordFields.h"

#include "Xml.h"

#include "com/Required.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.TestGuideConfig");
const QString kFlagsAttribute = QStringLiteral("Flags");

} // namespace

const QString TestGuideConfig::kElementName = QStringLiteral("TestGuideSettings");

std::shared_ptr<Nelvar::ITestGuideConfig> TestGuideConfig::Clone() const
{
    return std::make_shared<TestGuideConfig>(*this);
}

std::shared_ptr<Nelvar::IXmlElement> TestGuideConfig::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = records::createElement(com::required(document), kElementName, kSource);
    element->SetAttribute(kFlagsAttribute, m_flags);
    return element;
}

void TestGuideConfig::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>&)
{
    const Nelvar::IXmlElement& saved = com::required(element);
    records::requireName(saved, kElementName, kSource);
    m_flags = records::readWholeNumber(saved, kFlagsAttribute, kSource);
}

} // namespace host
