#include "SimOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <optional>
#include <utility>
#include <vector>

namespace simulator {

namespace {

// A numeric option and the setting it fills.
struct NumberOption {
    QCommandLineOption option;
    double* target;
};

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    SimulatorSettings& s = parsed.settings;

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated Zeltor instrument on a pseudo terminal. Prints the terminal's device path and "
        "serves it until it is stopped with SIGTERM or SIGINT."));
    const QCommandLineOption help = parser.addHelpOption();

    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Instrument model."), QStringLiteral("text"));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Serial number."), QStringLiteral("text"));
    const QCommandLineOption firmware(QStringLiteral("firmware"),
        QStringLiteral("Firmware version major.minor; a major below 3 streams 16-bit frames."), QStringLiteral("version"));
    const QCommandLineOption operatorName(QStringLiteral("operator"), QStringLiteral("Operator setting."), QStringLiteral("text"));
    const QCommandLineOption establishment(QStringLiteral("establishment"), QStringLiteral("Establishment setting."), QStringLiteral("text"));
    const QCommandLineOption withhold(QStringLiteral("withhold"),
        QStringLiteral("Swallow this command (* for every one): no effect, no reply."), QStringLiteral("command"));
    const QCommandLineOption errm(QStringLiteral("errm"),
        QStringLiteral("Refuse this command (* for every one) with ERRM and the error number (default 6001)."),
        QStringLiteral("command[=number]"));
    const QCommandLineOption garbageBefore(QStringLiteral("garbage-before"),
        QStringLiteral("Send the garbage bytes before every reply to this command (* for every one)."), QStringLiteral("command"));
    const QCommandLineOption garbageEvery(QStringLiteral("garbage-every"),
        QStringLiteral("Send the garbage bytes every so many milliseconds."), QStringLiteral("ms"));
    const QCommandLineOption garbageBytes(QStringLiteral("garbage-bytes"),
        QStringLiteral("The garbage bytes in hexadecimal (default A55A00FF)."), QStringLiteral("hex"));
    const QCommandLineOption loseStreamByte(QStringLiteral("lose-stream-byte"),
        QStringLiteral("Lose the byte at this offset (from 0) of every result stream."), QStringLiteral("offset"));
    const QCommandLineOption garbageInStream(QStringLiteral("garbage-in-stream"),
        QStringLiteral("Send the garbage bytes inside every result stream, before the byte at this offset (from 0)."),
        QStringLiteral("offset"));
    const QCommandLineOption baud(QStringLiteral("baud"),
        QStringLiteral("Send at the pace of a serial line of this many baud, 11 bits a character (default: at once)."),
        QStringLiteral("rate"));
    parser.addOptions({model, serial, firmware, operatorName, establishment, baud});

    std::vector<NumberOption> numbers;
    const auto addNumber = [&](const char* name, const char* description, double& target) {
        numbers.push_back({QCommandLineOption(QString::fromLatin1(name),
                                              QStringLiteral("%1 (default %2).").arg(QString::fromLatin1(description)).arg(target),
                                              QStringLiteral("number")),
                           &target});
        parser.addOption(numbers.back().option);
    };
    addNumber("rate", "Breath rate, breaths per minute", s.lung.rateBpm);
    addNumber("tidal-volume", "Tidal volume, l", s.lung.tidalVolumeL);
    addNumber("ie-ratio", "The n of the I:E ratio 1:n", s.lung.ieRatio);
    addNumber("hold", "Inspiratory hold, s", s.lung.inspiratoryHoldS);
    addNumber("peep", "PEEP, cmH2O", s.lung.peepCmH2O);
    addNumber("compliance", "Lung compliance, ml/cmH2O", s.lung.complianceMlPerCmH2O);
    addNumber("resistance", "Airway resistance, cmH2O/(l/s)", s.lung.resistanceCmH2OPerLps);
    addNumber("temperature", "Gas temperature, C", s.lung.temperatureC);
    addNumber("oxygen", "Oxygen level, %", s.lung.oxygenPercent);
    addNumber("atmospheric", "Atmospheric pressure, hPa", s.lung.atmosphericHPa);
    addNumber("pressure", "Pressure of the pressure test and start pressure of the leakage test, cmH2O", s.readings.pressureCmH2O);
    addNumber("leak-rate", "Leak rate of the leakage test, cmH2O/s", s.readings.leakRateCmH2OPerS);
    addNumber("flow", "Flow of the flow test, ml/s", s.readings.flowMlPerS);
    addNumber("high-pressure", "Pressure of the high-pressure test, cmH2O", s.readings.highPressureCmH2O);
    parser.addOptions({withhold, errm, garbageBefore, garbageEvery, garbageBytes, loseStreamByte, garbageInStream});

    const auto fail = [&parsed](const QString& message) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.message = message;
        return parsed;
    };

    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        parsed.outcome = ParsedOptions::Outcome::Help;
        parsed.message = parser.helpText();
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));

    const auto take = [&parser](const QCommandLineOption& option, QString& target) {
        if (parser.isSet(option))
            target = parser.value(option);
    };
    take(model, s.identity.model);
    take(serial, s.identity.serialNumber);
    take(firmware, s.identity.firmwareVersion);
    take(operatorName, s.operatorName);
    take(establishment, s.establishment);
    take(withhold, s.faults.withholdReplyTo);
    take(garbageBefore, s.faults.garbageBeforeReplyTo);

    for (const NumberOption& n : numbers) {
        if (!parser.isSet(n.option))
            continue;
        const std::optional<double> value = number(parser.value(n.option));
        if (!value)
            return fail(QStringLiteral("--%1 needs a number, not \"%2\"").arg(n.option.names().first(), parser.value(n.option)));
        *n.target = *value;
    }
    if (const QString problem = lungSettingsProblem(s.lung); !problem.isEmpty())
        return fail(QStringLiteral("Lung settings: %1").arg(problem));

    if (parser.isSet(errm)) {
        const QStringList parts = parser.value(errm).split(QLatin1Char('='));
        bool ok = true;
        s.faults.errmFor = parts[0];
        if (parts.size() > 1)
            s.faults.errmNumber = parts[1].toInt(&ok);
        if (parts.size() > 2 || !ok || s.faults.errmFor.isEmpty())
            return fail(QStringLiteral("--errm needs a command, optionally followed by = and an error number"));
    }
    if (parser.isSet(baud)) {
        bool ok = false;
        parsed.baudRate = parser.value(baud).toInt(&ok);
        if (!ok || parsed.baudRate < 1)
            return fail(QStringLiteral("--baud needs a whole number above 0"));
    }
    if (parser.isSet(garbageEvery)) {
        bool ok = false;
        s.faults.garbageEveryMs = parser.value(garbageEvery).toInt(&ok);
        if (!ok || s.faults.garbageEveryMs < 1)
            return fail(QStringLiteral("--garbage-every needs a whole number of milliseconds above 0"));
    }
    for (const auto& [option, target] : {std::pair{&loseStreamByte, &s.faults.loseStreamByte},
                                         std::pair{&garbageInStream, &s.faults.garbageBeforeStreamByte}}) {
        if (!parser.isSet(*option))
            continue;
        bool ok = false;
        *target = parser.value(*option).toLongLong(&ok);
        if (!ok || *target < 0)
            return fail(QStringLiteral("--%1 needs a whole number of bytes from 0 on").arg(option->names().first()));
    }
    if (parser.isSet(garbageBytes)) {
        static const QRegularExpression hexPairs(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
        const QString hex = parser.value(garbageBytes);
        if (!hexPairs.match(hex).hasMatch())
            return fail(QStringLiteral("--garbage-bytes needs pairs of hexadecimal digits"));
        s.faults.garbage = QByteArray::fromHex(hex.toLatin1());
    }
    return parsed;
}

} // namespace simulator
