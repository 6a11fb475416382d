#include "CUnitConverter.h"

#include <cmath>
#include <limits>

namespace ZeltorConverter {

namespace {

// The double result as a Single; 0 when it does not fit, as the failed conversion leaves it.
float toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return 0.0f;
    return static_cast<float>(value);
}

} // namespace

void CUnitConverter::Initialize(int32_t iSelectedConversion, const QString& sUnitString)
{
    m_selectedConversion = iSelectedConversion;
    m_unit = sUnitString;
    m_scaling = scalingFor(iSelectedConversion);
}

float CUnitConverter::ConvertToInternalUnit(float rValue) const
{
    if (m_scaling.factor == 0.0f)
        return 0.0f;
    return toSingle((static_cast<double>(rValue) - static_cast<double>(m_scaling.offset))
                    / static_cast<double>(m_scaling.factor));
}

float CUnitConverter::ConvertFromInternalUnit(float rValue) const
{
    if (m_scaling.factor == 0.0f)
        return 0.0f;
    return toSingle(static_cast<double>(rValue) * static_cast<double>(m_scaling.factor)
                    + static_cast<double>(m_scaling.offset));
}

} // namespace ZeltorConverter
