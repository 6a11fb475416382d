#include "elements/CPreDefinedTrendSettings.h"

#include "elements/RecordFields.h"

#include "HostServices.h"
#include "RecordNames.h"
#include "Xml.h"

#include "com/Required.h"

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kTrendSettings;
const QString kActive = QStringLiteral("Active");
const QString kInterval = QStringLiteral("Interval");

} // namespace

void CPreDefinedTrendSettings::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    const Nelvar::IXmlElement& record = com::required(element);
    m_active = record.FindChildElement(kActive) != nullptr;
    readWholeNumberChild(record, kInterval, m_interval);
}

std::shared_ptr<Nelvar::IXmlElement> CPreDefinedTrendSettings::Save(
    const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    const auto element = com::required(document).CreateElement(kElementName);
    Nelvar::IXmlElement& record = com::required(element);
    if (m_active)
        record.AddChildElement(kActive, QStringLiteral("True"));
    record.AddChildElement(kInterval, Nelvar::utilityService().ValueToText(m_interval));
    return element;
}

} // namespace ZeltorTests
