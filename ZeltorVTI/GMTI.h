#pragma once

#include <memory>

namespace ZeltorVTI {

class CZeltorVTI;

// The instrument link's global object: it holds the process's one instrument connection.
class MTIGlobal {
public:
    // The held connection; a new, unconnected one is created first when none is held.
    std::shared_ptr<CZeltorVTI> VTI();
    // Replaces the held connection by a new one; the previous one is released.
    void InitVTI();
    // Releases the held connection; none is held afterwards.
    void ResetVTI();

private:
    std::shared_ptr<CZeltorVTI> m_vti;
};

// All calls arrive on the user-interface thread, so one connection serves the process.
extern MTIGlobal GMTI;

} // namespace ZeltorVTI
