#pragma once

#include "Dialogs.h"
#include "EventSource.h"

#include <memory>

namespace host {

// The host's callback object, one for each page it shows. Each event a page raises reaches the
// host's own handler (which marks the document modified, say) and then every listener, the
// page's form among them, unchanged. A failing handler or listener is ignored, so the others are
// still informed and nothing reaches the page.
class HostCallBack final : public Nelvar::ICallBack, public Nelvar::CallBackPipe {
public:
    explicit HostCallBack(ReceivedEvent hostHandler = {});

    void RaiseEvent(const QString& eventName, const std::vector<com::Value>& args) override;
    [[nodiscard]] std::unique_ptr<Subscription> listen(ReceivedEvent listener) override;

private:
    ReceivedEvent m_hostHandler;
    Zeltor::EventSource<const QString&, const std::vector<com::Value>&> m_received;
};

} // namespace host
