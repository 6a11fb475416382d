#pragma once

#include <QComboBox>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace Zeltor {

// Selects the list's entry at that position; a position the list does not have leaves it without
// a selection, so that a stored value outside the list is not shown as one of its entries.
inline void selectPosition(QComboBox& box, int64_t position)
{
    box.setCurrentIndex(position >= 0 && position < box.count() ? static_cast<int>(position) : -1);
}

// The position of the value among the values of a list's entries; -1 when it is none of them.
template <std::size_t Size>
int positionOf(const std::array<int32_t, Size>& values, int32_t value)
{
    const auto found = std::ranges::find(values, value);
    return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

} // namespace Zeltor
