#include "com/Error.h"
#include "com/Failure.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

TEST(Error, KeepsWhatItWasRaisedWith)
{
    const com::Error error(static_cast<int32_t>(0x8004A469), QStringLiteral("ZeltorVTI"),
                           QStringLiteral("No instrument"), 3);
    EXPECT_EQ(error.number(), static_cast<int32_t>(0x8004A469));
    EXPECT_EQ(error.source(), QStringLiteral("ZeltorVTI"));
    EXPECT_EQ(error.description(), QStringLiteral("No instrument"));
    EXPECT_EQ(error.flags(), 3);
    EXPECT_STREQ(error.what(), "0x8004A469 in ZeltorVTI: No instrument");

    const com::Error subscript = com::Error::subscript(QStringLiteral("Table"));
    EXPECT_EQ(subscript.number(), com::errSubscript);
    EXPECT_EQ(subscript.source(), QStringLiteral("Table"));
    EXPECT_EQ(subscript.description(), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(subscript.flags(), 0);
    EXPECT_TRUE(com::Error::cannotCreateObject(QStringLiteral("A.B")).description().endsWith(QStringLiteral(": A.B")));
}

TEST(Error, NumberText)
{
    EXPECT_EQ(com::errorNumberText(static_cast<int32_t>(0x8004A469)), QStringLiteral("0x8004A469"));
    EXPECT_EQ(com::errorNumberText(429), QStringLiteral("0x000001AD"));
    EXPECT_EQ(com::errorNumberText(-1), QStringLiteral("0xFFFFFFFF"));
}

TEST(Error, CurrentErrorMapsStandardExceptions)
{
    const auto mapped = [](const std::function<void()>& raise) {
        try {
            raise();
        } catch (...) {
            return com::currentError();
        }
        return com::Error(0, {}, QStringLiteral("nothing raised"));
    };
    const struct {
        const char* name;
        std::function<void()> raise;
        int32_t number;
    } cases[] = {
        {"bad_alloc", [] { throw std::bad_alloc(); }, com::errOutOfMemory},
        {"out_of_range", [] { throw std::out_of_range("index"); }, com::errSubscript},
        {"overflow_error", [] { throw std::overflow_error("big"); }, com::errOverflow},
        {"runtime_error", [] { throw std::runtime_error("broken pipe"); }, com::errInvalidCall},
        {"not an exception", [] { throw 42; }, com::errInvalidCall},
        {"com::Error", [] { throw com::Error(1234, QStringLiteral("Own"), QStringLiteral("mine"), 2); }, 1234},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mapped(c.raise).number(), c.number) << c.name;

    EXPECT_EQ(mapped([] { throw std::runtime_error("broken pipe"); }).description(), QStringLiteral("broken pipe"));
    const com::Error own = mapped([] { throw com::Error(1234, QStringLiteral("Own"), QStringLiteral("mine"), 2); });
    EXPECT_EQ(own.source(), QStringLiteral("Own"));
    EXPECT_EQ(own.description(), QStringLiteral("mine"));
    EXPECT_EQ(own.flags(), 2);
}

TEST(Failure, IgnoreFailureSwallowsAndTellsWhetherItCompleted)
{
    int ran = 0;
    EXPECT_TRUE(com::ignoreFailure([&] { ++ran; }));
    EXPECT_FALSE(com::ignoreFailure([&] {
        ++ran;
        throw com::Error::invalidCall();
    }));
    EXPECT_FALSE(com::ignoreFailure([] { throw std::runtime_error("any"); }));
    EXPECT_EQ(ran, 2);
}

} // namespace
