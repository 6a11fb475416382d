#include "CaughtError.h"

#include "Host.h"
#include "services/ErrorService.h"

#include "ErrorPassing.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr int32_t kNoInstrument = static_cast<int32_t>(0x8004A469);
constexpr int32_t kTemplateInvalid = static_cast<int32_t>(0x8004A22C);
constexpr int32_t kUnknownApplicationError = static_cast<int32_t>(0x8004A300);

class ErrorServiceTest : public ::testing::Test {
protected:
    // The pass-through form, called from the catch block of `failing`.
    com::Error passedOn(const std::function<void()>& failing)
    {
        return caughtError([&] {
            try {
                failing();
            } catch (...) {
                service.RaiseError(QString(), 0, QString(), 1);
            }
        });
    }

    host::ErrorService service;
};

TEST_F(ErrorServiceTest, RaisedApplicationErrorReachesTheCatcherUnchanged)
{
    for (const int32_t flags : {1, 3, 4, 8}) {
        const com::Error error = caughtError([&] {
            service.RaiseError(QStringLiteral("Zeltor"), kNoInstrument, QStringLiteral("ZeltorVTI.CZeltorVTI"), flags);
        });
        EXPECT_EQ(error.number(), kNoInstrument);
        EXPECT_EQ(error.source(), QStringLiteral("ZeltorVTI.CZeltorVTI"));
        EXPECT_EQ(error.flags(), flags);
        EXPECT_EQ(error.description(), QStringLiteral("No instrument was found"));
    }
    EXPECT_EQ(caughtError([&] { service.RaiseError(QStringLiteral("Zeltor"), kUnknownApplicationError, QStringLiteral("S"), 1); })
                  .description(),
              QString())
        << "a number the system does not raise has no text";
    EXPECT_EQ(caughtError([&] { service.RaiseError(QStringLiteral("Zeltor"), com::errFileNotFound, QStringLiteral("S"), 1); })
                  .description(),
              QStringLiteral("File not found"));
}

TEST_F(ErrorServiceTest, PassThroughRethrowsTheHandledErrorUnchanged)
{
    const com::Error error = passedOn([] {
        throw com::Error(kTemplateInvalid, QStringLiteral("DravikZeltor.CZeltorPlugIn"), QStringLiteral("Template"), 4);
    });
    EXPECT_EQ(error.number(), kTemplateInvalid);
    EXPECT_EQ(error.source(), QStringLiteral("DravikZeltor.CZeltorPlugIn"));
    EXPECT_EQ(error.description(), QStringLiteral("Template"));
    EXPECT_EQ(error.flags(), 4);

    EXPECT_THROW(
        {
            try {
                throw std::out_of_range("index");
            } catch (...) {
                service.RaiseError(QString(), 0, QString(), 1);
            }
        },
        std::out_of_range)
        << "an exception of another kind passes as it is";
}

TEST_F(ErrorServiceTest, PassThroughOutsideAHandlerOrWithOnlyNumberZeroIsAnInvalidCall)
{
    EXPECT_EQ(caughtError([&] { service.RaiseError(QString(), 0, QString(), 1); }).number(), com::errInvalidCall);
    const com::Error error = passedOn([] { throw com::Error(kTemplateInvalid, {}, {}); });
    EXPECT_EQ(error.number(), kTemplateInvalid);
    EXPECT_EQ(caughtError([&] {
                  try {
                      throw com::Error(kTemplateInvalid, {}, {});
                  } catch (...) {
                      service.RaiseError(QStringLiteral("Zeltor"), 0, QStringLiteral("Source"), 1);
                  }
              }).number(),
              com::errInvalidCall);
}

TEST_F(ErrorServiceTest, ReportErrorRewrapsTheSource)
{
    const com::Error error = caughtError([&] {
        service.ReportError(com::Error(com::errTypeMismatch, QStringLiteral("inner"), QStringLiteral("Type mismatch"), 2),
                            QStringLiteral("ZeltorTests.CMeasurement"));
    });
    EXPECT_EQ(error.number(), com::errTypeMismatch);
    EXPECT_EQ(error.source(), QStringLiteral("ZeltorTests.CMeasurement"));
    EXPECT_EQ(error.description(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(error.flags(), 2);
}

// The system's own rule for members that load and save, running against this host.
TEST_F(ErrorServiceTest, OwnNumbersPassAndOthersAreWrappedThroughTheInstalledService)
{
    host::installHost();
    const auto passOrWrap = [](const com::Error& raised) {
        return caughtError([&] {
            try {
                throw raised;
            } catch (...) {
                Zeltor::passOwnOrWrap(QStringLiteral("ZeltorTests.CResultVentilator"));
            }
        });
    };
    const com::Error own = passOrWrap(com::Error(kTemplateInvalid, QStringLiteral("ZeltorTests.CTrend"), {}, 1));
    EXPECT_EQ(own.number(), kTemplateInvalid);
    EXPECT_EQ(own.source(), QStringLiteral("ZeltorTests.CTrend"));
    const com::Error foreign = passOrWrap(com::Error::fileNotFound(QStringLiteral("Nelvar.XmlDocument")));
    EXPECT_EQ(foreign.number(), com::errFileNotFound);
    EXPECT_EQ(foreign.source(), QStringLiteral("ZeltorTests.CResultVentilator"));
}

} // namespace
