#include "ErrorTexts.h"

#include "PlugInErrors.h"
#include "VtiTypes.h"
#include "data/DataErrors.h"
#include "elements/TestErrors.h"

#include "com/Error.h"

#include <gtest/gtest.h>

namespace {

// The settings object's number for a settings key without values, handled inside its load.
constexpr int32_t kSettingsKeyEmpty = static_cast<int32_t>(0x8004A28E);

TEST(ErrorTexts, EveryApplicationNumberOfTheLibrariesHasItsText)
{
    using namespace ZeltorPlugin;
    using namespace ZeltorTests;
    using namespace ZeltorVTI;
    const int32_t numbers[] = {
        eePlugInNotInitialized, eeTemplateNotFound, eeTemplateInvalid, eeTestNotFound, eeTemplateFileError,
        kSettingsKeyEmpty,
        eeConfigWrongElement, eeResultWrongElement, eeResultCannotCreateElement, eeLimitDataWrongElement,
        eeParameterDefWrongElement, eeParameterDefCannotCreateElement, eeMeasurementWrongElement,
        eeMeasurementCannotCreateElement, eeTrendsWrongElement, eeTrendCannotCreateElement,
        eeSnapshotsCannotCreateElement,
        eeVTI_InvalidMsgReceived, eeVTI_InvalidParametersReceived, eeVTI_NotInitialized, eeVTI_Busy,
        eeVTI_ReceiveTimeout, eeVTI_Error, eeVTI_NoMtiFound, eeVTI_MTIError,
    };
    for (const int32_t number : numbers)
        EXPECT_FALSE(Zeltor::ownErrorText(number).isEmpty()) << com::errorNumberText(number).toStdString();
    EXPECT_EQ(Zeltor::ownErrorText(eeTestNotFound), QStringLiteral("The plug-in's catalogue has no test of this identifier"));
}

TEST(ErrorTexts, NumbersTheSystemDoesNotRaiseHaveNone)
{
    for (const int32_t number : {0, 5, 53, static_cast<int32_t>(0x8004A300), static_cast<int32_t>(0x8004A68D)})
        EXPECT_EQ(Zeltor::ownErrorText(number), QString()) << number;
}

} // namespace
