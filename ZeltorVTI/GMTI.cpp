#include "GMTI.h"

#include "CZeltorVTI.h"

namespace ZeltorVTI {

MTIGlobal GMTI;

std::shared_ptr<CZeltorVTI> MTIGlobal::VTI()
{
    if (!m_vti)
        m_vti = CZeltorVTI::create();
    return m_vti;
}

void MTIGlobal::InitVTI()
{
    m_vti = CZeltorVTI::create();
}

void MTIGlobal::ResetVTI()
{
    m_vti.reset();
}

} // namespace ZeltorVTI
