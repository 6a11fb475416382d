#include "data/CParameterList.h"

#include "data/CParameterDef.h"
#include "data/DataErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Xml.h"

#include "com/Required.h"

#include <array>

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("CParameterList");
const QString kElementName = QStringLiteral("ParameterList");

// The breath parameters of each predefined view from epvRate on; the waveform channels stay
// selected in every view.
const std::array<QStringList, 8>& viewKeys()
{
    static const std::array<QStringList, 8> keys{{
        {QStringLiteral("BRRA"), QStringLiteral("IERA")},
        {QStringLiteral("INPE"), QStringLiteral("EXPE"), QStringLiteral("IERA")},
        {QStringLiteral("TIVO"), QStringLiteral("MIVO")},
        {QStringLiteral("INPF"), QStringLiteral("EXPF")},
        {QStringLiteral("PEPR"), QStringLiteral("INPP")},
        {QStringLiteral("MEEP"), QStringLiteral("MEIP")},
        {QStringLiteral("OXLE"), QStringLiteral("TEMP"), QStringLiteral("ATPR")},
        {QStringLiteral("BRRA"), QStringLiteral("TIVO"), QStringLiteral("INPF"), QStringLiteral("INPP"),
         QStringLiteral("OXLE"), QStringLiteral("MIVO"), QStringLiteral("INHO"), QStringLiteral("IERA"),
         QStringLiteral("PEPR")},
    }};
    return keys;
}

} // namespace

int32_t CParameterList::Count(bool selectedOnly) const
{
    if (!selectedOnly)
        return m_definitions.Count();
    int32_t selected = 0;
    for (const auto& definition : m_definitions)
        selected += definition->Selected() ? 1 : 0;
    return selected;
}

void CParameterList::Add(const QString& key)
{
    auto definition = std::make_shared<CParameterDef>();
    definition->setKey(key);
    m_definitions.Add(std::move(definition), key);
}

void CParameterList::SetPredefinedView(int32_t view)
{
    if (view == epvAll)
        SelectKeys();
    else if (view > epvAll && view <= epvTemplate)
        SelectKeys(viewKeys()[static_cast<size_t>(view - 1)]);
}

void CParameterList::SelectKeys(const QStringList& keys)
{
    const QString joined = keys.join(QLatin1Char(' '));
    const QString channels = QStringLiteral("FLOW PRES VOLU ");
    for (const auto& definition : m_definitions)
        definition->setSelected(keys.isEmpty() || joined.contains(definition->Key())
                                || channels.contains(definition->Key()));
}

std::shared_ptr<CParameterList> CParameterList::Clone() const
{
    auto copy = std::make_shared<CParameterList>();
    copy->CopyFrom(*this);
    return copy;
}

void CParameterList::CopyFrom(const CParameterList& source)
{
    Definitions copies;
    for (int32_t position = 1; position <= source.m_definitions.Count(); ++position)
        copies.Add(source.m_definitions.Item(position)->Clone(), source.m_definitions.KeyAt(position));
    m_definitions = std::move(copies);
}

void CParameterList::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    try {
        const Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName)
            Zeltor::raiseOwnError(eeParameterDefWrongElement, kSource, 4);
        SelectKeys({QString()});
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const auto child = children->Item(i);
            Item(child->GetAttribute(QStringLiteral("Key")))->Load(child);
        }
    } catch (...) {
        // A definition's wrong-element error is raised again as the list's own.
        if (com::currentError().number() == eeParameterDefWrongElement)
            Zeltor::raiseOwnError(eeParameterDefWrongElement, kSource, 4);
        Zeltor::passOwnOrWrap(kSource);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CParameterList::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            Zeltor::raiseOwnError(eeParameterDefCannotCreateElement, kSource, 4);
        for (const auto& definition : m_definitions)
            if (const auto child = definition->Save(document))
                element->AppendChild(child);
        return element;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

} // namespace ZeltorTests
