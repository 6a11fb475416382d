#pragma once

#include "com/Error.h"

#include <QString>

#include <memory>
#include <optional>

namespace ZeltorVTI {
class CZeltorVTI;
}

namespace ZeltorPlugin {

// The shared instrument connection for the length of one user action outside a test. The
// connection is taken at the first call that needs it: one that is not connected is opened with
// StartRemote and, when the session ends, closed with EndRemote and dropped; one that is open
// already (a test holds it) is used as it is and left open. When opening fails the connection has
// told the user why; every later call of the session then fails with the same error without
// trying again.
class InstrumentSession {
public:
    InstrumentSession() = default;
    ~InstrumentSession();
    InstrumentSession(const InstrumentSession&) = delete;
    InstrumentSession& operator=(const InstrumentSession&) = delete;

    // The connection, open; raises the connection's error when it cannot be opened.
    ZeltorVTI::CZeltorVTI& vti();
    // The connected instrument's firmware version; empty before the first call or without one.
    QString firmwareVersion() const;
    // The firmware version of the instrument on the shared connection when it is connected
    // already (a test holds it); empty when it is not.
    static QString connectedFirmwareVersion();

private:
    std::shared_ptr<ZeltorVTI::CZeltorVTI> m_vti;
    std::optional<com::Error> m_openingFailure;
    bool m_opened = false;
};

} // namespace ZeltorPlugin
