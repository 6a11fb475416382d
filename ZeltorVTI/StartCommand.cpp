#include "StartCommand.h"

#include <QString>

#include <array>
#include <vector>

namespace ZeltorVTI {

namespace {

QString referenceConditionName(int32_t condition)
{
    static constexpr std::array<const char*, 6> kNames{"BTPS", "ATPX", "STPD", "ATPS", "ATPD", "NTPD"};
    if (condition < 0 || condition >= static_cast<int32_t>(kNames.size()))
        return {};
    return QString::fromLatin1(kNames[static_cast<size_t>(condition)]);
}

} // namespace

com::Value EncodeStartCommand(const StartCommand& command)
{
    return com::Value(std::vector<com::Value>{
        QString::number(command.testId),
        QString::number(command.reserved),
        referenceConditionName(command.referenceCondition),
        command.calculateMassFlow ? QStringLiteral("1") : QStringLiteral("0"),
        QString::number(command.noiseLevel),
        QString::number(command.detectLevel),
        QString::number(command.breathsPerCalculation),
        QString::number(command.suppressPressurePeakMs),
    });
}

} // namespace ZeltorVTI
