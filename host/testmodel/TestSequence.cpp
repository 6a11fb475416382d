#include "TestSequence.h"

#include "HostErrors.h"
#include "ServiceRecord.h"

#include "Instruments.h"
#include "TestElement.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

#include <QDateTime>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.TestSequence");

// The listed instrument of the plug-in's type with that identifier, or none.
std::shared_ptr<Nelvar::IInstrumentInfo> listedInstrument(const Nelvar::IInstruments* instruments,
                                                          const QString& typeName, int32_t id)
{
    if (!instruments || id == 0)
        return nullptr;
    for (int32_t position = 1; position <= instruments->Count(); ++position) {
        const auto instrument = instruments->Item(position);
        if (instrument && instrument->TypeName() == typeName && instrument->ID() == id)
            return instrument;
    }
    return nullptr;
}

} // namespace

void TestSequence::QueryPerform(const std::shared_ptr<Nelvar::ITestElement>&, bool& allowed)
{
    allowed = m_performAllowed;
}

void TestSequence::Navigate(int32_t code)
{
    if (code < Nelvar::enavNext || code > Nelvar::enavSkip)
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("navigation code %1").arg(code));
    m_navigations.push_back(static_cast<Nelvar::ENavigation>(code));
}

void TestSequence::ResultReady(const std::shared_ptr<Nelvar::ITestElement>& element)
{
    com::required(element);
    m_readyElements.push_back(element);
    // The element is kept even when its result cannot be asked: the record then lacks the run.
    com::ignoreFailure([&] {
        const auto result = element->Result();
        if (const auto record = std::dynamic_pointer_cast<ServiceRecord>(result ? result->ServiceRecord() : nullptr)) {
            const auto instrument = listedInstrument(m_instruments.get(), element->PlugInID(), result->MTIID());
            record->recordRun(QDateTime::currentDateTime(), instrument.get());
        }
    });
}

} // namespace host
