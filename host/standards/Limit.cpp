#include "Limit.h"

#include "HostErrors.h"
#include "xml/RecordFields.h"

#include "Converter.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Value.h"
#include "format/Format.h"

#include <cmath>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Limit");
const QString kNameAttribute = QStringLiteral("Name");
const QString kUnitAttribute = QStringLiteral("Unit");
const QString kBaseUnitAttribute = QStringLiteral("BaseUnit");
// Per bound, by index: its value attribute and its enabled flag.
const QString kValueAttributes[] = {QStringLiteral("Upper"), QStringLiteral("Lower")};
const QString kEnabledAttributes[] = {QStringLiteral("UpperEnabled"), QStringLiteral("LowerEnabled")};

} // namespace

const QString Limit::kElementName = QStringLiteral("Limit");

void Limit::Initialize(const QString& name, const QString& unit, const QString& upper, const QString& lower)
{
    std::array<Bound, 2> bounds;
    const QString texts[] = {upper, lower};
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (texts[i].isEmpty())
            continue;
        if (!format::isNumeric(texts[i]))
            errors::raise(com::errTypeMismatch, kSource, QStringLiteral("limit value \"%1\"").arg(texts[i]));
        bounds[i] = {true, com::Value(format::leadingNumber(texts[i])).toFloat()};
    }
    m_name = name;
    m_unit = unit;
    m_baseUnit.clear();
    m_converter.reset();
    m_bounds = bounds;
}

size_t Limit::checkedIndex(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(m_bounds.size()))
        errors::raise(com::errSubscript, kSource, QStringLiteral("limit index %1").arg(index));
    return static_cast<size_t>(index);
}

void Limit::Value(int32_t index, float& value) const
{
    const float baseValue = m_bounds[checkedIndex(index)].baseValue;
    value = m_converter ? m_converter->ConvertFromInternalUnit(baseValue) : baseValue;
}

void Limit::Enabled(int32_t index, bool& enabled) const
{
    enabled = m_bounds[checkedIndex(index)].enabled;
}

void Limit::setValue(int32_t index, float value)
{
    Bound& target = m_bounds[checkedIndex(index)];
    if (!std::isfinite(value))
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("a limit value must be a finite number"));
    target.baseValue = m_converter ? m_converter->ConvertToInternalUnit(value) : value;
}

void Limit::setEnabled(int32_t index, bool enabled)
{
    m_bounds[checkedIndex(index)].enabled = enabled;
}

void Limit::SetConversion(const std::shared_ptr<Nelvar::IConverter>& converter, const QString& baseUnitText)
{
    m_converter = converter;
    m_baseUnit = baseUnitText;
}

bool Limit::Fails(float baseValue) const
{
    // Written so that a value that is not a number compares false and fails.
    const Bound& upper = m_bounds[0];
    const Bound& lower = m_bounds[1];
    return (upper.enabled && !(baseValue <= upper.baseValue)) || (lower.enabled && !(baseValue >= lower.baseValue));
}

std::shared_ptr<Nelvar::IXmlElement> Limit::Save(Nelvar::IXmlDocument& document) const
{
    const auto element = records::createElement(document, kElementName, kSource);
    element->SetAttribute(kNameAttribute, m_name);
    element->SetAttribute(kUnitAttribute, m_unit);
    if (!m_baseUnit.isEmpty())
        element->SetAttribute(kBaseUnitAttribute, m_baseUnit);
    for (size_t i = 0; i < m_bounds.size(); ++i) {
        element->SetAttribute(kValueAttributes[i], m_bounds[i].baseValue);
        records::writeFlag(*element, kEnabledAttributes[i], m_bounds[i].enabled);
    }
    return element;
}

std::shared_ptr<Limit> Limit::Load(const Nelvar::IXmlElement& element)
{
    auto limit = std::make_shared<Limit>();
    limit->m_name = element.GetAttribute(kNameAttribute);
    limit->m_unit = element.GetAttribute(kUnitAttribute);
    limit->m_baseUnit = element.GetAttribute(kBaseUnitAttribute);
    for (size_t i = 0; i < limit->m_bounds.size(); ++i)
        limit->m_bounds[i] = {records::readFlag(element, kEnabledAttributes[i], kSource),
                              records::readNumber(element, kValueAttributes[i], kSource)};
    return limit;
}

} // namespace host
