#include "InstrumentCommand.h"

#include "HostPlugIn.h"

#include "CZeltorVTI.h"
#include "GMTI.h"

#include "Instruments.h"
#include "com/Error.h"

namespace {

// Leaves remote mode and drops the connection however the command ends.
struct RemoteSession {
    ~RemoteSession()
    {
        ZeltorVTI::GMTI.VTI()->EndRemote();
        ZeltorVTI::GMTI.ResetVTI();
    }
};

} // namespace

int runInstrumentCommand(QTextStream& out)
{
    using ZeltorVTI::GMTI;
    try {
        GMTI.InitVTI();
        const RemoteSession session;
        const auto vti = GMTI.VTI();
        vti->StartRemote();
        out << "Instrument:       " << vti->MTIName() << '\n'
            << "Serial number:    " << vti->SerialNo() << '\n'
            << "Firmware version: " << vti->FWVersion() << '\n';
        const com::Value viewSlots = vti->GetParameterViewList();
        out << "Parameter views:\n";
        const auto& descriptions = viewSlots.array().items;
        for (size_t slot = 0; slot < descriptions.size(); ++slot) {
            const QString description = descriptions[slot].toString();
            out << "  " << slot + 1 << ": " << (description.isEmpty() ? QStringLiteral("(empty)") : description)
                << '\n';
        }
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        // The instrument link has already told the user what went wrong.
        out.flush();
        printFailure(QStringLiteral("the instrument could not be read"), error);
        return 1;
    }
}
