#include "HostPlugIn.h"

#include "HostErrors.h"
#include "testmodel/TestCollection.h"
#include "testmodel/TestFilter.h"
#include "testmodel/TestInfo.h"

#include "PlugIn.h"
#include "TestElement.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"

#include <QStringList>
#include <QTextStream>

namespace {

const QString kSource = QStringLiteral("nelvar");

// Runs a step that creates the plug-in's classes by name; a class that cannot be created (the
// plug-in's own, or one of its tests) is most often one whose library was never registered, and
// the error says how to mend that.
template <typename Step>
auto creatingClasses(Step&& step)
{
    try {
        return step();
    } catch (const com::Error& error) {
        if (error.number() != com::errCannotCreateObject)
            throw;
        throw com::Error(error.number(), error.source(),
                         error.description() + QStringLiteral("; `nelvar register` registers the plug-in's libraries"),
                         error.flags());
    }
}

} // namespace

std::shared_ptr<Nelvar::IPlugIn> createPlugIn()
{
    return creatingClasses([] { return com::ClassRegistry::instance().createAs<Nelvar::IPlugIn>(kPlugInClass); });
}

void initializePlugIn(Nelvar::IPlugIn& plugIn)
{
    creatingClasses([&] { plugIn.Initialize(nullptr); });
}

std::shared_ptr<Nelvar::IPlugIn> startPlugIn()
{
    const auto plugIn = createPlugIn();
    initializePlugIn(*plugIn);
    return plugIn;
}

const host::TestCollection& catalogue(const Nelvar::IPlugIn& plugIn)
{
    const auto tests = std::dynamic_pointer_cast<host::TestCollection>(plugIn.Tests());
    if (!tests)
        host::errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the plug-in has no test catalogue"));
    return *tests;
}

QString catalogueText(const Nelvar::IPlugIn& plugIn)
{
    const host::TestCollection& tests = catalogue(plugIn);
    QStringList entries;
    for (int32_t position = 1; position <= tests.Count(); ++position) {
        const auto test = tests.Item(position);
        const auto info = std::dynamic_pointer_cast<host::TestInfo>(test->Info());
        entries << QStringLiteral("%1 %2").arg(test->TestID()).arg(info ? info->Name() : QString());
    }
    return entries.join(QStringLiteral(", "));
}

std::shared_ptr<Nelvar::ITestElement> createTest(Nelvar::IPlugIn& plugIn, int32_t testID)
{
    try {
        auto element = plugIn.CreateTest(testID);
        if (!element)
            host::errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the plug-in made no test %1").arg(testID));
        // The service record of a kept result carries the run's date and instrument to the report;
        // a test without a filter of the host's simply keeps none.
        com::ignoreFailure([&] {
            if (const auto filter = std::dynamic_pointer_cast<host::TestFilter>(element->Filter()))
                filter->setFlags(filter->Flags() | host::TestFilter::kServiceRecord);
        });
        return element;
    } catch (const com::Error& error) {
        if (catalogue(plugIn).ItemByTestID(testID))
            throw;
        const QString tests = catalogueText(plugIn);
        throw com::Error(error.number(), error.source(),
                         QStringLiteral("the plug-in's catalogue has no test %1; its tests are %2")
                             .arg(testID)
                             .arg(tests.isEmpty() ? QStringLiteral("none") : tests),
                         error.flags());
    }
}

void printFailure(const QString& what, const com::Error& error)
{
    QTextStream err(stderr);
    err << "nelvar: " << what;
    if (!error.description().isEmpty())
        err << ": " << error.description();
    err << " (error " << com::errorNumberText(error.number());
    if (!error.source().isEmpty())
        err << " in " << error.source();
    err << ")\n";
}
