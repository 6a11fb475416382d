#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IConverter;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

// One ventilator parameter: its caption, base unit (in which values are stored and computed),
// display unit with the converter between the two, kind, number format and graph scale, and
// whether it takes part in the test. Setting the key fills everything else from the parameter
// table and the user's settings.
class CParameterDef final : public com::Object {
public:
    // Default graph scale in base units.
    struct Scale {
        float Min = 0.0f;
        float Span = 0.0f;
    };

    Scale ScaleRange() const { return m_scale; }
    const QString& Key() const { return m_key; }
    bool Selected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    // None for units without alternatives.
    const std::shared_ptr<Nelvar::IConverter>& Converter() const { return m_converter; }
    // The caption translated for the product, or its language key itself.
    QString Caption(bool fTranslate) const;
    QString DisplayUnitText() const;
    QString BaseUnitText() const;
    // The selectable display units separated by ";", or the display unit alone when there are none.
    QString UnitList() const;
    int32_t Kind() const;
    const QString& ValueFormat() const { return m_valueFormat; }
    int32_t DisplayUnit() const { return m_displayUnit; }
    int32_t BaseUnit() const { return m_baseUnit; }

    // Defines the parameter: selects it, takes caption, units and converter from the table (an
    // unknown key keeps them), the graph scale from the registry and the value format by key.
    void setKey(const QString& key);
    // Stores the unit and initialises the converter with it; the quantity is not checked.
    void setDisplayUnit(int32_t unit);
    // The unit of that text (an unknown text gives 0), as setDisplayUnit.
    void setDisplayUnitText(const QString& unitText);

    std::shared_ptr<CParameterDef> Clone() const;
    // Takes the source's key with this user's default units, then its selection, scale, value
    // format and, when it has a converter, its display unit.
    void CopyFrom(const CParameterDef& source);

    // Reads a "Parameter" element of this definition's key; raises 0x8004A3C2 for another one.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A "Parameter" element for a selected definition (not appended), none for an unselected one.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

private:
    // Caption, base unit, default display unit and converter from the table; an unknown key
    // leaves them as they are.
    void applyTableEntry();
    void readScaleFromRegistry();

    QString m_key;
    QString m_caption;
    bool m_selected = false;
    std::shared_ptr<Nelvar::IConverter> m_converter;
    int32_t m_displayUnit = 0;
    int32_t m_baseUnit = 0;
    Scale m_scale;
    QString m_valueFormat;
};

} // namespace ZeltorTests
