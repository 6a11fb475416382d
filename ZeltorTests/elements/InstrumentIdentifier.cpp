#include "elements/InstrumentIdentifier.h"

#include "Instruments.h"
#include "Product.h"
#include "RunContext.h"

#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

int32_t instrumentIdentifier(const std::shared_ptr<Nelvar::ITestSequence>& sequence,
                             const std::shared_ptr<Nelvar::IInstrumentInfo>& instrument)
{
    int32_t id = 0;
    com::ignoreFailure([&] {
        const auto instruments = com::required(sequence).Instruments();
        if (!instruments || !instrument)
            return;
        const QString serial = instrument->SerialNo();
        int32_t candidate = 1;
        for (int32_t position = 1; position <= instruments->Count(); ++position) {
            const auto entry = instruments->Item(position);
            if (!entry || entry->TypeName() != Zeltor::kProduct)
                continue;
            if (entry->SerialNo() == serial) {
                id = entry->ID();
                return;
            }
            if (candidate <= entry->ID())
                candidate = entry->ID() + 1;
        }
        instrument->SetType(Zeltor::kProduct, candidate);
        instruments->Add(instrument);
        id = candidate;
    });
    return id;
}

} // namespace ZeltorTests
