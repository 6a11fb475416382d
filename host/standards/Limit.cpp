#include "Limit.h"

#include "HostErrors.h"

#include "com/Error.h"
#include "com/Value.h"
#include "format/Format.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Limit");

} // namespace

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
    m_bounds = bounds;
}

const Limit::Bound& Limit::bound(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(m_bounds.size()))
        errors::raise(com::errSubscript, kSource, QStringLiteral("limit index %1").arg(index));
    return m_bounds[static_cast<size_t>(index)];
}

void Limit::Value(int32_t index, float& value) const
{
    value = bound(index).value;
}

void Limit::Enabled(int32_t index, bool& enabled) const
{
    enabled = bound(index).enabled;
}

} // namespace host
