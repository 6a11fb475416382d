#pragma once

#include "HostFixture.h"
#include "ScriptedInstrument.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "VtiTypes.h"

#include "com/Error.h"

#include <QString>

#include <functional>
#include <optional>

inline const QString kNoZeltorText = QStringLiteral(
    "No Zeltor connected. Please check all cables and verify that the Zeltor is turned on.");
inline const QString kCommunicationErrorText = QStringLiteral(
    "Communication error with the Zeltor unit. Please check all cables and check that the Zeltor is turned on.");
inline const QString kInvalidDataText = QStringLiteral(
    "Invalid data recieved from the Zeltor. Boot the Zeltor and restart test. If the error still occurs, a new "
    "firmware upload is required.");
inline const QString kCommunicationErrorCaption = QStringLiteral("Communication error");

// The connection of GMTI against a scripted instrument on an in-memory link, on a virtual clock.
class VtiFixture : public HostFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    std::shared_ptr<ZeltorVTI::CZeltorVTI> vti() { return ZeltorVTI::GMTI.VTI(); }
    // Answers IREM as an instrument with firmware 3.01 and enters remote mode.
    void connect();
    // Runs `call` and returns the number of the error it raised, or none.
    static std::optional<int32_t> errorOf(const std::function<void()>& call);
    QStringList sentFrames() const;

    ScriptedInstrument instrument;
};
