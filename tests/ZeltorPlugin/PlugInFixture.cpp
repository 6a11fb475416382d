#include "PlugInFixture.h"

#include "testmodel/TestCollection.h"

#include "Product.h"
#include "Registry.h"
#include "TestElement.h"

#include "com/ClassRegistry.h"

#include <QFile>

void PlugInFixture::SetUp()
{
    HostFixture::SetUp();
    ASSERT_TRUE(files.isValid());
    com::ClassRegistry& classes = com::ClassRegistry::instance();
    classes.registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
    classes.registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    plugIn = classes.createAs<Nelvar::IPlugIn>(QStringLiteral("ZeltorPlugin.CZeltorPlugin"));
}

void PlugInFixture::setTemplatePath(const QString& path)
{
    const auto registry =
        com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
    registry->SetValue(QStringLiteral("Configuration"), path);
}

void PlugInFixture::useTemplate(const QString& templateData)
{
    const QString path = files.filePath(QStringLiteral("template.mpc"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(templateData.toUtf8());
    setTemplatePath(path);
}

std::vector<int32_t> PlugInFixture::catalogue() const
{
    const auto tests = std::dynamic_pointer_cast<host::TestCollection>(plugIn->Tests());
    std::vector<int32_t> ids;
    for (int32_t position = 1; tests && position <= tests->Count(); ++position)
        ids.push_back(tests->Item(position)->TestID());
    return ids;
}
