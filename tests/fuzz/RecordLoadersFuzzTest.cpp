#include "RecordLoaders.h"
#include "RecordMutator.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <exception>
#include <ostream>

namespace {

// Enough damaged records per loader to reach every field of the seeds several times over, few
// enough to run in seconds under the sanitizers. The seed fixes the cases, so a failure repeats.
constexpr int kCases = 1500;
constexpr uint32_t kMutationSeed = 20261211;

class RecordLoadersFuzz : public ::testing::TestWithParam<fuzz::Loader> {};

// What a case shows when it fails: its number and the start of the damaged record.
std::string caseText(int number, const QByteArray& record)
{
    return "case " + std::to_string(number) + ", record: " + record.left(600).toStdString();
}

} // namespace

namespace fuzz {

// How a test's parameter shows in its name and messages.
void PrintTo(Loader loader, std::ostream* out) { *out << loaderName(loader).toStdString(); }

} // namespace fuzz

TEST_P(RecordLoadersFuzz, ADamagedRecordLoadsOrIsRefusedWithAnError)
{
    const fuzz::LoaderHost host;
    const fuzz::Loader loader = GetParam();
    const QByteArray seed = fuzz::seedRecord(loader);
    ASSERT_NO_THROW(fuzz::load(loader, seed, host)) << "the undamaged record must load";

    fuzz::RecordMutator mutator(kMutationSeed + static_cast<uint32_t>(loader));
    int refused = 0;
    for (int number = 0; number < kCases; ++number) {
        const QByteArray record = mutator.mutate(seed);
        try {
            fuzz::load(loader, record, host);
        } catch (const com::Error&) {
            ++refused;
        } catch (const std::exception& error) {
            FAIL() << "not a com::Error: " << error.what() << "; " << caseText(number, record);
        } catch (...) {
            FAIL() << "not a com::Error; " << caseText(number, record);
        }
    }
    // The damage reaches the loaders' checks: some records are refused, others still read.
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, kCases);
}

INSTANTIATE_TEST_SUITE_P(Loaders, RecordLoadersFuzz, ::testing::ValuesIn(fuzz::kLoaders),
                         [](const auto& loader) { return fuzz::loaderName(loader.param).replace('-', '_').toStdString(); });
