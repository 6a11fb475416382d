#pragma once

#include "Dialogs.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace Zeltor {

// A synchronous event with any number of listeners, each informed in the order it started
// listening, for as long as it holds the subscription it was given. A listener may end its own
// or any other subscription, or destroy the source, while it is being informed: a subscription
// that has ended is not informed again, and nothing that has gone is touched.
template <typename... Args>
class EventSource {
public:
    using Listener = std::function<void(Args...)>;
    using Subscription = Nelvar::CallBackPipe::Subscription;

    [[nodiscard]] std::unique_ptr<Subscription> listen(Listener listener)
    {
        auto entry = std::make_shared<Entry>(Entry{std::move(listener), true});
        m_entries->push_back(entry);
        return std::make_unique<EntrySubscription>(m_entries, std::move(entry));
    }

    // A failing listener's error reaches the caller, and the listeners after it are not informed.
    void raise(Args... args) const
    {
        const Entries entries = *m_entries; // the listeners may change the list or end the source
        for (const auto& entry : entries) {
            if (entry->listening)
                entry->listener(args...);
        }
    }

private:
    struct Entry {
        Listener listener;
        bool listening;
    };
    using Entries = std::vector<std::shared_ptr<Entry>>;

    class EntrySubscription final : public Subscription {
    public:
        EntrySubscription(const std::shared_ptr<Entries>& entries, std::shared_ptr<Entry> entry)
            : m_entries(entries), m_entry(std::move(entry))
        {}
        ~EntrySubscription() override
        {
            m_entry->listening = false;
            if (const auto entries = m_entries.lock())
                std::erase(*entries, m_entry);
        }
        EntrySubscription(const EntrySubscription&) = delete;
        EntrySubscription& operator=(const EntrySubscription&) = delete;

    private:
        std::weak_ptr<Entries> m_entries;
        std::shared_ptr<Entry> m_entry;
    };

    std::shared_ptr<Entries> m_entries = std::make_shared<Entries>();
};

} // namespace Zeltor
