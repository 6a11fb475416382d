#pragma once

#include "Standards.h"

#include <array>

namespace host {

// One parameter's limit: its key, unit text and an upper and a lower value, each enabled only
// when it was given.
class Limit final : public Nelvar::ILimit {
public:
    // `upper` and `lower` are value texts with "." as decimal point; an empty text leaves that
    // limit disabled, any other text that is not a number raises type mismatch (13).
    void Initialize(const QString& name, const QString& unit, const QString& upper, const QString& lower) override;
    QString Name() const override { return m_name; }
    QString Unit() const override { return m_unit; }
    void setUnit(const QString& unit) override { m_unit = unit; }
    // An index other than 0 or 1 raises subscript (9). A disabled limit's value is 0.
    void Value(int32_t index, float& value) const override;
    void Enabled(int32_t index, bool& enabled) const override;

private:
    struct Bound {
        bool enabled = false;
        float value = 0.0f;
    };
    const Bound& bound(int32_t index) const;

    QString m_name;
    QString m_unit;
    std::array<Bound, 2> m_bounds;
};

} // namespace host
