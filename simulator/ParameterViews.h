#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace simulator {

// A parameter view the instrument shows in one of its display slots.
struct ParameterView {
    QString description;
    QStringList codes; // breath-parameter keys, in the order they were uploaded
};

// The instrument's nine display slots, numbered 1 to 9.
class ParameterViews {
public:
    static constexpr int kSlotCount = 9;

    static bool validSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }
    // One of the fifteen breath-parameter keys a view may show.
    static bool isViewCode(const QString& code);

    // The description of every slot in slot order; empty text for an empty slot.
    QStringList descriptions() const;
    const std::optional<ParameterView>& view(int slot) const;
    // The lowest slot that holds no view; 0 when every slot holds one.
    int lowestEmptySlot() const;
    void store(int slot, ParameterView view);
    void remove(int slot);

private:
    std::array<std::optional<ParameterView>, kSlotCount> m_slots;
};

} // namespace simulator
