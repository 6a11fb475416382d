#pragma once

#include "Limit.h"

#include <memory>
#include <vector>

namespace host {

// The limits of one standard in the order they were added.
class Limits final : public Nelvar::ILimits {
public:
    int32_t Count() const override { return static_cast<int32_t>(m_limits.size()); }
    // A position outside 1 to Count raises subscript (9) here and invalid call (5) on Remove.
    std::shared_ptr<Nelvar::ILimit> Item(int32_t position) const override;
    void Remove(int32_t position) override;

    void Append(std::shared_ptr<Limit> limit);
    // The first limit of that name (case-sensitive), or none.
    std::shared_ptr<Limit> Find(const QString& name) const;
    const std::vector<std::shared_ptr<Limit>>& All() const { return m_limits; }

private:
    size_t checkedIndex(int32_t position, int32_t errorNumber) const;

    std::vector<std::shared_ptr<Limit>> m_limits;
};

} // namespace host
