#include "InstrumentInfo.h"

namespace host {

void InstrumentInfo::SetType(const QString& typeName, int32_t id)
{
    m_typeName = typeName;
    m_id = id;
}

void InstrumentInfo::SetIdentity(const QString& model, const QString& serialNo, const QString& fwVersion)
{
    m_model = model;
    m_serialNo = serialNo;
    m_fwVersion = fwVersion;
}

} // namespace host
