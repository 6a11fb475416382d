#include "Limits.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <algorithm>
#include <utility>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Limits");

} // namespace

size_t Limits::checkedIndex(int32_t position, int32_t errorNumber) const
{
    if (position < 1 || position > Count())
        errors::raise(errorNumber, kSource, QStringLiteral("limit position %1").arg(position));
    return static_cast<size_t>(position - 1);
}

std::shared_ptr<Nelvar::ILimit> Limits::Item(int32_t position) const
{
    return m_limits[checkedIndex(position, com::errSubscript)];
}

void Limits::Remove(int32_t position)
{
    m_limits.erase(m_limits.begin() + static_cast<std::ptrdiff_t>(checkedIndex(position, com::errInvalidCall)));
}

void Limits::Append(std::shared_ptr<Limit> limit)
{
    m_limits.push_back(std::move(limit));
}

std::shared_ptr<Limit> Limits::Find(const QString& name) const
{
    const auto found = std::ranges::find_if(m_limits, [&](const auto& limit) { return limit->Name() == name; });
    return found == m_limits.end() ? nullptr : *found;
}

} // namespace host
