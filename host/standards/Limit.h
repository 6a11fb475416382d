#pragma once

#include "Standards.h"

#include <array>
#include <memory>

namespace host {

// One parameter's limit: its key, unit text and an upper and a lower bound, each with its own
// enabled flag.
//
// Units: the bounds are kept in the parameter's base unit, the unit in which the system passes
// measured values to a check and in which records store every value. Value and setValue speak the
// display unit (what the user enters and a graph shows) and convert through the converter given
// by SetConversion; without one both units are the same. So a limit keeps its meaning when the
// display unit changes, and a check never converts the measured value.
class Limit final : public Nelvar::ILimit, public Nelvar::INumericLimit {
public:
    // Starts the limit afresh, without conversion. `upper` and `lower` are value texts with "."
    // as decimal point; an empty text leaves that bound disabled at 0, any other text that is not
    // a number raises type mismatch (13) and leaves the limit as it was.
    void Initialize(const QString& name, const QString& unit, const QString& upper, const QString& lower) override;
    QString Name() const override { return m_name; }
    QString Unit() const override { return m_unit; }
    void setUnit(const QString& unit) override { m_unit = unit; }
    // Index 0 is the upper bound, 1 the lower one; any other index raises subscript (9).
    void Value(int32_t index, float& value) const override;
    void Enabled(int32_t index, bool& enabled) const override;
    void setValue(int32_t index, float value);
    void setEnabled(int32_t index, bool enabled);

    // Keeps the converter (none for a parameter without one) and the base unit's text; the bounds
    // keep their base values.
    void SetConversion(const std::shared_ptr<Nelvar::IConverter>& converter, const QString& baseUnitText) override;
    QString BaseUnit() const { return m_baseUnit; }

    // Whether a value in the base unit fails an enabled bound; a value that is not a number fails
    // any enabled bound.
    bool Fails(float baseValue) const;

    // The element "Limit" of a standards record, with the bounds in the base unit; Load reads it
    // back (the conversion is given again by the limit's owner). Load raises type mismatch (13)
    // for a bound or flag that is not a number or "True"/"False".
    std::shared_ptr<Nelvar::IXmlElement> Save(Nelvar::IXmlDocument& document) const;
    static std::shared_ptr<Limit> Load(const Nelvar::IXmlElement& element);
    static const QString kElementName;

private:
    struct Bound {
        bool enabled = false;
        float baseValue = 0.0f;
    };
    // Raises subscript (9) for an index other than 0 or 1.
    size_t checkedIndex(int32_t index) const;

    QString m_name;
    QString m_unit;
    QString m_baseUnit;
    std::shared_ptr<Nelvar::IConverter> m_converter;
    std::array<Bound, 2> m_bounds;
};

} // namespace host
