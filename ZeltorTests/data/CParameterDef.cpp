#include "data/CParameterDef.h"

#include "data/DataErrors.h"
#include "data/ParameterTable.h"

#include "Converter.h"
#include "Converters.h"
#include "ErrorPassing.h"
#include "GConverters.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "Settings.h"
#include "SettingsValueNames.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "com/Value.h"

namespace ZeltorTests {

namespace {

using namespace ZeltorConverter;

const QString kSource = QStringLiteral("CParameterDef");
const QString kElementName = QStringLiteral("Parameter");
const QString kKeyAttribute = QStringLiteral("Key");
const QString kDisplayUnitAttribute = QStringLiteral("DisplayUnit");

// Registry values of the graph scales, in hundredths of the base unit.
struct ScaleValues {
    const QString& key;
    QLatin1String minName;
    QLatin1String spanName;
};

const ScaleValues* scaleValuesOf(const QString& key)
{
    static const ScaleValues flow{Zeltor::Keys::FLOW, Zeltor::SettingsValues::kScaleFlowMin, Zeltor::SettingsValues::kScaleFlowSpan};
    static const ScaleValues pressure{Zeltor::Keys::PRES, Zeltor::SettingsValues::kScalePressureMin,
                                           Zeltor::SettingsValues::kScalePressureSpan};
    if (key == flow.key)
        return &flow;
    if (key == pressure.key)
        return &pressure;
    return nullptr;
}

// A pressure unit (0 to 4) as the leak rate per second of the same unit (20 to 24).
bool leakRateOfPressureUnit(int32_t pressureUnit, int32_t& leakRateUnit)
{
    if (pressureUnit < eunPressure_CmH20 || pressureUnit > eunPressure_PSI)
        return false;
    leakRateUnit = eunLeakRate_CmH2O_PerSec + pressureUnit;
    return true;
}

} // namespace

QString CParameterDef::Caption(bool fTranslate) const
{
    if (!fTranslate)
        return m_caption;
    return Nelvar::languageService().GetText(Zeltor::kProduct, m_caption);
}

QString CParameterDef::DisplayUnitText() const { return GConverters::ParseUnitIDToString(m_displayUnit); }

QString CParameterDef::BaseUnitText() const { return GConverters::ParseUnitIDToString(m_baseUnit); }

QString CParameterDef::UnitList() const
{
    switch (m_baseUnit) {
    case eunPressure_CmH20: return GConverters::GetUnitList(eulUnitList_Pressure);
    case eunLeakRate_CmH2O_PerSec: return GConverters::GetUnitList(eulUnitList_LeakRate);
    case eunFlow_MLpSec: return GConverters::GetUnitList(eulUnitList_Flow);
    case eunTemperature_Celcius: return GConverters::GetUnitList(eulUnitList_Temperature);
    default: return DisplayUnitText();
    }
}

int32_t CParameterDef::Kind() const { return parameterKind(m_key); }

void CParameterDef::setKey(const QString& key)
{
    m_key = key;
    m_selected = true;
    applyTableEntry();
    readScaleFromRegistry();
    m_valueFormat = key == Zeltor::Keys::TIVO ? QStringLiteral("0.000") : QStringLiteral("0.00");
}

void CParameterDef::applyTableEntry()
{
    const ParameterInfo* info = findParameter(m_key);
    if (!info)
        return;
    m_caption = QString::fromLatin1(info->caption);
    m_baseUnit = info->baseUnit;
    switch (m_baseUnit) {
    case eunPressure_CmH20:
        m_displayUnit = m_key == Zeltor::Keys::ATPR || m_key == Zeltor::Keys::HIPR ? GConverters::DefaultHighPressureUnit()
                                                                                   : GConverters::DefaultPressureUnit();
        m_converter = std::make_shared<CConvertCmH2O>();
        break;
    case eunLeakRate_CmH2O_PerSec:
        leakRateOfPressureUnit(GConverters::DefaultPressureUnit(), m_displayUnit);
        m_converter = std::make_shared<CConvertCmH2O>();
        break;
    case eunFlow_MLpSec:
        m_displayUnit = GConverters::DefaultFlowUnit();
        m_converter = std::make_shared<CConvertMLpSec>();
        break;
    case eunTemperature_Celcius:
        m_displayUnit = GConverters::DefaultTemperatureUnit();
        m_converter = std::make_shared<CConvertCelsius>();
        break;
    default:
        m_displayUnit = m_baseUnit;
        m_converter.reset();
        return;
    }
    m_converter->Initialize(m_displayUnit, GConverters::ParseUnitIDToString(m_displayUnit));
}

void CParameterDef::readScaleFromRegistry()
{
    if (const ScaleValues* values = scaleValuesOf(m_key)) {
        // A half that cannot be read or divided keeps its value.
        const auto readHundredths = [](QLatin1String name, float& half) {
            com::ignoreFailure([&] {
                const double stored = com::Value(Zeltor::readSettingsValue(name)).toDouble();
                half = com::Value(stored / 100.0).toFloat();
            });
        };
        readHundredths(values->minName, m_scale.Min);
        readHundredths(values->spanName, m_scale.Span);
    }
    if (m_scale.Min == m_scale.Span)
        m_scale = {-1.0f, 2.0f};
}

void CParameterDef::setDisplayUnit(int32_t unit)
{
    m_displayUnit = unit;
    if (m_converter)
        m_converter->Initialize(unit, GConverters::ParseUnitIDToString(unit));
}

void CParameterDef::setDisplayUnitText(const QString& unitText)
{
    setDisplayUnit(GConverters::ParseUnitStringToID(unitText));
}

std::shared_ptr<CParameterDef> CParameterDef::Clone() const
{
    auto copy = std::make_shared<CParameterDef>();
    copy->CopyFrom(*this);
    return copy;
}

void CParameterDef::CopyFrom(const CParameterDef& source)
{
    m_key = source.m_key;
    applyTableEntry();
    m_selected = source.m_selected;
    m_scale = source.m_scale;
    m_valueFormat = source.m_valueFormat;
    if (source.m_converter)
        setDisplayUnit(source.m_converter->SelectedConversion());
}

void CParameterDef::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    try {
        Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName || record.GetAttribute(kKeyAttribute) != m_key)
            Zeltor::raiseOwnError(eeParameterDefWrongElement, kSource, 4);
        m_selected = true;
        const QString displayUnit = record.GetAttribute(kDisplayUnitAttribute);
        setDisplayUnit(displayUnit.isEmpty() ? m_baseUnit : com::Value(displayUnit).toInt32());
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CParameterDef::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    if (!m_selected)
        return nullptr;
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            Zeltor::raiseOwnError(eeParameterDefCannotCreateElement, kSource, 4);
        element->SetAttribute(kKeyAttribute, m_key);
        if (m_displayUnit != m_baseUnit)
            element->SetAttribute(kDisplayUnitAttribute, m_displayUnit);
        return element;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

} // namespace ZeltorTests
