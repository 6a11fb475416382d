#pragma once

#include "events/ScriptedMessageBoxes.h"
#include "events/VirtualEventLoop.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <memory>

// The loaders of the records that the system reads back from files, each driven the way the host
// drives it: one record in, a freshly prepared object that loads it. Shared by the mutation test
// and the libFuzzer targets.
namespace fuzz {

enum class Loader {
    VentilatorResult,           // "ResultItem" with measurements, trends and snapshots
    SingleReadingResult,        // "ResultItem" of a single-reading test
    VentilatorConfiguration,    // "PlugInData" of the ventilator test
    SingleReadingConfiguration, // "PlugInData" of a single-reading test
    TestTemplate,               // the plug-in's test template file, expected results included
};

inline constexpr std::array kLoaders{Loader::VentilatorResult, Loader::SingleReadingResult,
                                     Loader::VentilatorConfiguration, Loader::SingleReadingConfiguration,
                                     Loader::TestTemplate};

// "ventilator-result", "single-reading-result", ...: the name of a loader's target and corpus.
QString loaderName(Loader loader);

// The stand-in host on a registry file of its own, with a virtual clock and scripted message
// boxes, and the system's libraries registered in it. The loaders need one while they run.
class LoaderHost {
public:
    LoaderHost();
    ~LoaderHost();
    LoaderHost(const LoaderHost&) = delete;
    LoaderHost& operator=(const LoaderHost&) = delete;

    // The file the plug-in reads its test template from.
    QString templatePath() const;

private:
    QTemporaryDir m_folder;
    std::shared_ptr<events::VirtualEventLoop> m_loop;
    std::shared_ptr<events::ScriptedMessageBoxes> m_boxes;
};

// Loads `record` with the loader. Returns when the record is read, raises com::Error when it is
// refused; any other outcome (another exception, a crash, a leak) is a defect of the loader.
void load(Loader loader, const QByteArray& record, const LoaderHost& host);

// A record of the loader's kind as the system writes it, every part filled: the seed that the
// mutations start from.
QByteArray seedRecord(Loader loader);

} // namespace fuzz
