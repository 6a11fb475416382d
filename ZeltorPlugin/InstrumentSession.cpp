#include "InstrumentSession.h"

#include "CZeltorVTI.h"
#include "GMTI.h"

#include "com/Failure.h"

namespace ZeltorPlugin {

using ZeltorVTI::GMTI;

InstrumentSession::~InstrumentSession()
{
    if (!m_opened)
        return;
    com::ignoreFailure([&] { m_vti->EndRemote(); });
    m_vti.reset();
    com::ignoreFailure([&] { GMTI.ResetVTI(); });
}

ZeltorVTI::CZeltorVTI& InstrumentSession::vti()
{
    if (m_openingFailure)
        throw *m_openingFailure;
    if (m_vti)
        return *m_vti;
    auto vti = GMTI.VTI();
    if (vti->ConnectionState() == ZeltorVTI::evtiNotConnected) {
        try {
            vti->StartRemote();
        } catch (...) {
            m_openingFailure = com::currentError();
            com::ignoreFailure([&] { GMTI.ResetVTI(); });
            throw;
        }
        m_opened = true;
    }
    m_vti = std::move(vti);
    return *m_vti;
}

QString InstrumentSession::connectedFirmwareVersion()
{
    const auto vti = GMTI.VTI();
    return vti->ConnectionState() == ZeltorVTI::evtiNotConnected ? QString() : vti->FWVersion();
}

QString InstrumentSession::firmwareVersion() const
{
    return m_vti ? m_vti->FWVersion() : QString();
}

} // namespace ZeltorPlugin
