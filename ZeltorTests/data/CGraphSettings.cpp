#include "data/CGraphSettings.h"

#include "RecordReading.h"

#include "HostServices.h"
#include "Xml.h"

#include "com/Required.h"

#include <utility>

namespace ZeltorTests {

namespace {

const QString kElementName = QStringLiteral("GraphSettings");

} // namespace

std::shared_ptr<Nelvar::IXmlElement> CGraphSettings::Save(const std::shared_ptr<Nelvar::IXmlDocument>& ixdOwner)
{
    const auto element = com::required(ixdOwner).CreateElement(kElementName);
    if (!element)
        return nullptr;
    const auto writeFlagUnlessDefault = [&](const char* name, bool value, bool defaultValue) {
        if (value != defaultValue)
            element->AddChildElement(QString::fromLatin1(name),
                                     value ? QStringLiteral("True") : QStringLiteral("False"));
    };
    writeFlagUnlessDefault("AutoScaleX", m_autoScaleX, true);
    writeFlagUnlessDefault("AutoScaleY", m_autoScaleY, true);
    writeFlagUnlessDefault("ShowDetectLevel", m_showDetectLevel, false);
    writeFlagUnlessDefault("ShowLimits", m_showLimits, false);
    writeFlagUnlessDefault("ShowMax", m_showMax, true);
    writeFlagUnlessDefault("ShowMin", m_showMin, true);
    for (const auto& [name, value] : {std::pair{"XMin", m_xmin}, std::pair{"XMax", m_xmax},
                                      std::pair{"YMin", m_ymin}, std::pair{"YMax", m_ymax}})
        element->AddChildElement(QString::fromLatin1(name), Nelvar::utilityService().ValueToText(value));
    return element;
}

void CGraphSettings::Load(const std::shared_ptr<Nelvar::IXmlElement>& ixeIn)
{
    *this = CGraphSettings();
    const Nelvar::IXmlElement& element = com::required(ixeIn);
    if (element.TagName() != kElementName)
        return;
    const auto children = element.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        const QString text = child->Text();
        const bool flag = text == QLatin1String("True");
        const auto number = [&] { return Zeltor::records::leadingSingleNumber(child->TagName(), text); };
        const QString tag = child->TagName();
        if (tag == QLatin1String("AutoScaleX"))
            m_autoScaleX = flag;
        else if (tag == QLatin1String("AutoScaleY"))
            m_autoScaleY = flag;
        else if (tag == QLatin1String("ShowDetectLevel"))
            m_showDetectLevel = flag;
        else if (tag == QLatin1String("ShowLimits"))
            m_showLimits = flag;
        else if (tag == QLatin1String("ShowMax"))
            m_showMax = flag;
        else if (tag == QLatin1String("ShowMin"))
            m_showMin = flag;
        else if (tag == QLatin1String("XMin"))
            m_xmin = number();
        else if (tag == QLatin1String("XMax"))
            m_xmax = number();
        else if (tag == QLatin1String("YMin"))
            m_ymin = number();
        else if (tag == QLatin1String("YMax"))
            m_ymax = number();
    }
}

} // namespace ZeltorTests
