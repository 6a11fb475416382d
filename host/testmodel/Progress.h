#pragma once

#include "RunContext.h"

#include <vector>

namespace host {

// The progress shown while a result loads; it records every task, with handles from 1.
class Progress final : public Nelvar::IProgress {
public:
    struct Task {
        QString product;
        QString textKey;
        int32_t handle = 0;
        bool ended = false;
    };

    void BeginTask(const QString& product, const QString& textKey, int32_t& handle) override;
    // A handle that was not begun or has already ended raises invalid call (5).
    void EndTask(int32_t handle) override;
    const std::vector<Task>& Tasks() const { return m_tasks; }

private:
    std::vector<Task> m_tasks;
};

} // namespace host
