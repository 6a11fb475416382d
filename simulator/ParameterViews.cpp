#include "ParameterViews.h"

#include <stdexcept>

namespace simulator {

namespace {

// The entry of a slot, const or not.
template <typename Entries>
auto& slotAt(Entries& entries, int slot)
{
    if (!ParameterViews::validSlot(slot))
        throw std::out_of_range("parameter view slot out of range");
    return entries[static_cast<size_t>(slot - 1)];
}

} // namespace

bool ParameterViews::isViewCode(const QString& code)
{
    static const QStringList codes = {
        QStringLiteral("BRRA"), QStringLiteral("EXPE"), QStringLiteral("EXPF"), QStringLiteral("IERA"),
        QStringLiteral("INPE"), QStringLiteral("INHO"), QStringLiteral("INPF"), QStringLiteral("INPP"),
        QStringLiteral("MEEP"), QStringLiteral("MEIP"), QStringLiteral("MIVO"), QStringLiteral("OXLE"),
        QStringLiteral("PEPR"), QStringLiteral("TEMP"), QStringLiteral("TIVO"),
    };
    return codes.contains(code);
}

QStringList ParameterViews::descriptions() const
{
    QStringList texts;
    for (const auto& slot : m_slots)
        texts.append(slot ? slot->description : QString());
    return texts;
}

const std::optional<ParameterView>& ParameterViews::view(int slot) const
{
    return slotAt(m_slots, slot);
}

int ParameterViews::lowestEmptySlot() const
{
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (!view(slot))
            return slot;
    return 0;
}

void ParameterViews::store(int slot, ParameterView view)
{
    slotAt(m_slots, slot) = std::move(view);
}

void ParameterViews::remove(int slot)
{
    slotAt(m_slots, slot).reset();
}

} // namespace simulator
