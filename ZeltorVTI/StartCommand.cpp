#include "StartCommand.h"

#include "SettingsValueTexts.h"

#include <QString>

#include <vector>

namespace ZeltorVTI {

com::Value EncodeStartCommand(const StartCommand& command)
{
    return com::Value(std::vector<com::Value>{
        QString::number(command.testId),
        QString::number(command.reserved),
        // A condition the list does not have goes as an empty field.
        Zeltor::SettingsValues::kReferenceUnitTexts.value(command.referenceCondition),
        command.calculateMassFlow ? QStringLiteral("1") : QStringLiteral("0"),
        QString::number(command.noiseLevel),
        QString::number(command.detectLevel),
        QString::number(command.breathsPerCalculation),
        QString::number(command.suppressPressurePeakMs),
    });
}

} // namespace ZeltorVTI
