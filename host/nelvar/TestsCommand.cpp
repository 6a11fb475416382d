#include "TestsCommand.h"

#include "HostPlugIn.h"

#include "testmodel/TestCollection.h"
#include "testmodel/TestInfo.h"

#include "PlugIn.h"
#include "TestElement.h"

#include "com/Required.h"

int runTestsCommand(QTextStream& out)
{
    try {
        const auto plugIn = startPlugIn();
        out << plugIn->Name() << ' ' << plugIn->Version() << '\n';
        const host::TestCollection& tests = catalogue(*plugIn);
        for (int32_t position = 1; position <= tests.Count(); ++position) {
            const auto test = tests.Item(position);
            const auto info = std::dynamic_pointer_cast<host::TestInfo>(test->Info());
            out << QStringLiteral("%1  %2\n").arg(test->TestID(), 5).arg(com::required(info).Name())
                << QStringLiteral("       %1\n").arg(info->Description());
        }
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("the plug-in's tests could not be listed"), error);
        return 1;
    }
}
