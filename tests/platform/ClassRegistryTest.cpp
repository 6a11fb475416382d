#include "com/ClassRegistry.h"

#include "RaisedNumber.h"
#include "TestComponent.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct IShape : com::Object {
    virtual int Corners() const = 0;
};
struct ISound : com::Object {};
struct Square final : IShape {
    int Corners() const override { return 4; }
};

const QString kTestComponentPath = QStringLiteral(TEST_COMPONENT_PATH);

// The stand-in registry's class section, in memory.
class MemoryClassStore final : public com::ClassStore {
public:
    struct Record {
        QString progId;
        QString classId;
        QString libraryPath;
    };

    void recordClass(const QString& progId, const QString& classId, const QString& libraryPath) override
    {
        removeClass(progId, classId);
        records.push_back({progId, classId, libraryPath});
    }

    void removeClass(const QString& progId, const QString&) override
    {
        std::erase_if(records, [&](const Record& r) { return r.progId.compare(progId, Qt::CaseInsensitive) == 0; });
    }

    std::optional<QString> libraryOf(const QString& name) const override
    {
        for (const Record& r : records)
            if (r.progId.compare(name, Qt::CaseInsensitive) == 0
                || (!r.classId.isEmpty() && r.classId.compare(name, Qt::CaseInsensitive) == 0))
                return r.libraryPath;
        return std::nullopt;
    }

    std::vector<Record> records;
};

TEST(ClassRegistry, CreatesByProgIdOrClassIdWhateverTheCase)
{
    com::ClassRegistry registry;
    int created = 0;
    registry.add({QStringLiteral("ZeltorTests.CSquare"), QStringLiteral("{AB-12}"), [&] {
                      ++created;
                      return std::make_shared<Square>();
                  }});
    for (const char* name : {"ZeltorTests.CSquare", "Zeltortests.csquare", "ZELTORTESTS.CSQUARE", "{ab-12}"})
        EXPECT_NE(std::dynamic_pointer_cast<Square>(registry.create(QString::fromLatin1(name))), nullptr) << name;
    EXPECT_EQ(created, 4);
    EXPECT_TRUE(registry.contains(QStringLiteral("zeltortests.CSQUARE")));
    EXPECT_EQ(registry.createAs<IShape>(QStringLiteral("{AB-12}"))->Corners(), 4);

    registry.remove(QStringLiteral("{ab-12}"));
    EXPECT_FALSE(registry.contains(QStringLiteral("ZeltorTests.CSquare")));
}

TEST(ClassRegistry, FailuresToCreate)
{
    com::ClassRegistry registry;
    registry.add({QStringLiteral("Test.Square"), {}, [] { return std::make_shared<Square>(); }});
    registry.add({QStringLiteral("Test.Nothing"), {}, [] { return std::shared_ptr<com::Object>(); }});
    registry.add({QStringLiteral("Test.NoFactory"), {}, {}});
    const struct {
        const char* name;
        std::function<void()> call;
        int32_t number;
    } cases[] = {
        {"unknown class", [&] { registry.create(QStringLiteral("Test.Unknown")); }, com::errCannotCreateObject},
        {"empty name", [&] { registry.create(QString()); }, com::errCannotCreateObject},
        {"factory gives nothing", [&] { registry.create(QStringLiteral("Test.Nothing")); }, com::errCannotCreateObject},
        {"no factory", [&] { registry.create(QStringLiteral("Test.NoFactory")); }, com::errCannotCreateObject},
        {"interface not offered", [&] { registry.createAs<ISound>(QStringLiteral("Test.Square")); }, com::errTypeMismatch},
    };
    for (const auto& c : cases)
        EXPECT_EQ(raisedNumber(c.call), c.number) << c.name;
}

TEST(ClassRegistry, AddingAgainReplacesTheEntry)
{
    com::ClassRegistry registry;
    registry.add({QStringLiteral("Test.Shape"), QStringLiteral("{1}"), [] { return std::make_shared<Square>(); }});
    registry.add({QStringLiteral("TEST.SHAPE"), QStringLiteral("{2}"), [] { return std::shared_ptr<com::Object>(); }});
    EXPECT_EQ(registry.entries().size(), 1u);
    EXPECT_FALSE(registry.contains(QStringLiteral("{1}")));
    EXPECT_EQ(raisedNumber([&] { registry.create(QStringLiteral("Test.Shape")); }), com::errCannotCreateObject);
}

class ClassRegistryLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { registry.setStore(store); }

    std::shared_ptr<MemoryClassStore> store = std::make_shared<MemoryClassStore>();
    com::ClassRegistry registry;
};

TEST_F(ClassRegistryLibraryTest, SelfRegistrationRecordsTheLibrarysClassesWithItsPath)
{
    registry.registerServer(kTestComponentPath);
    ASSERT_EQ(store->records.size(), 2u);
    EXPECT_EQ(store->libraryOf(QString::fromLatin1(kGreeterProgId)), kTestComponentPath);
    EXPECT_EQ(store->libraryOf(QString::fromLatin1(kGreeterClassId)), kTestComponentPath);
    EXPECT_EQ(store->libraryOf(QString::fromLatin1(kPlainProgId)), kTestComponentPath);
    EXPECT_TRUE(registry.entries().empty()); // registration only records; it creates nothing here

    registry.unregisterServer(kTestComponentPath);
    EXPECT_TRUE(store->records.empty());
}

TEST_F(ClassRegistryLibraryTest, AClassNotYetKnownLoadsItsLibraryOnFirstUse)
{
    com::ClassRegistry registrar;
    registrar.setStore(store);
    registrar.registerServer(kTestComponentPath);

    EXPECT_FALSE(registry.contains(QStringLiteral("platformtest.greeter")));
    const auto greeter = registry.createAs<ITestGreeter>(QStringLiteral("platformtest.greeter"));
    EXPECT_EQ(greeter->Greeting(), QStringLiteral("Hello from the library"));
    EXPECT_TRUE(registry.contains(QString::fromLatin1(kPlainProgId))); // the whole library is known now
    EXPECT_NE(registry.create(QString::fromLatin1(kGreeterClassId)), nullptr);

    registrar.unregisterServer(kTestComponentPath);
    com::ClassRegistry fresh;
    fresh.setStore(store);
    EXPECT_EQ(raisedNumber([&] { fresh.create(QString::fromLatin1(kGreeterProgId)); }), com::errCannotCreateObject);
}

TEST_F(ClassRegistryLibraryTest, AMissingLibraryIsFileNotFound)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("libGone.so"));
    EXPECT_EQ(raisedNumber([&] { registry.registerServer(missing); }), com::errFileNotFound);
    QFile junk(dir.filePath(QStringLiteral("libJunk.so")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
    junk.close();
    EXPECT_EQ(raisedNumber([&] { registry.registerServer(junk.fileName()); }), com::errFileNotFound);
    EXPECT_TRUE(store->records.empty());

    store->recordClass(QStringLiteral("Gone.Class"), {}, missing);
    try {
        registry.create(QStringLiteral("gone.class"));
        ADD_FAILURE() << "a class of a missing library was created";
    } catch (const com::Error& error) {
        EXPECT_EQ(error.number(), com::errFileNotFound);
        EXPECT_TRUE(error.source().contains(QStringLiteral("libGone.so")) || error.description().contains(QStringLiteral("libGone.so")))
            << error.what();
    }
}

TEST(ClassRegistry, RegistrationNeedsAStore)
{
    com::ClassRegistry registry;
    EXPECT_EQ(raisedNumber([&] { registry.registerServer(kTestComponentPath); }), com::errObjectNotSet);
    EXPECT_EQ(raisedNumber([&] { registry.unregisterServer(kTestComponentPath); }), com::errObjectNotSet);
}

} // namespace
