#include "InstrumentList.h"

#include "HostErrors.h"

#include "com/Error.h"
#include "com/Required.h"

namespace host {

std::shared_ptr<Nelvar::IInstrumentInfo> Instruments::Item(int32_t position) const
{
    if (position < 1 || position > Count())
        errors::raise(com::errSubscript, QStringLiteral("Nelvar.Instruments"),
                      QStringLiteral("instrument position %1").arg(position));
    return m_instruments[static_cast<size_t>(position - 1)];
}

void Instruments::Add(const std::shared_ptr<Nelvar::IInstrumentInfo>& instrument)
{
    com::required(instrument);
    m_instruments.push_back(instrument);
}

} // namespace host
