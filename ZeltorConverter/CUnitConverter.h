#pragma once

#include "Converter.h"

#include <QString>

#include <cstdint>

namespace ZeltorConverter {

// A linear converter between an internal unit and the display unit chosen at Initialize:
// display = internal x factor + offset. Each quantity supplies its factor table. The arithmetic
// runs in double and is rounded once to a Single. A converter never initialised has factor 0
// and converts every value to 0; a result beyond the Single range is 0 too.
class CUnitConverter : public Nelvar::IConverter {
public:
    int32_t SelectedConversion() const override { return m_selectedConversion; }
    QString Unit() const override { return m_unit; }
    void Initialize(int32_t iSelectedConversion, const QString& sUnitString) override;
    float ConvertToInternalUnit(float rValue) const override;
    float ConvertFromInternalUnit(float rValue) const override;

protected:
    struct Scaling {
        float factor;
        float offset;
    };
    // Factor and offset for a selected conversion; identifiers of other quantities give factor 1.
    virtual Scaling scalingFor(int32_t selectedConversion) const = 0;

private:
    int32_t m_selectedConversion = 0;
    QString m_unit;
    Scaling m_scaling{0.0f, 0.0f};
};

} // namespace ZeltorConverter
