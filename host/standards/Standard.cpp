#include "Standard.h"

#include "com/Required.h"

namespace host {

void Standard::Initialize(const QString& name, const QString& key2, int32_t)
{
    m_name = name;
    m_key2 = key2;
}

void Standard::Add(const std::shared_ptr<Nelvar::ILimit>& limit)
{
    com::required(limit);
    m_limits->Append(limit);
}

} // namespace host
