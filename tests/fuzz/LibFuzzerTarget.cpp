// A libFuzzer target for one record loader, chosen at build time by ZELTOR_FUZZ_LOADER. An input
// that loads or is refused with com::Error is fine; libFuzzer reports anything else (another
// exception, a crash, a leak or undefined behaviour under the sanitizers).

#include "RecordLoaders.h"

#include "com/Error.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

// The application and the host are made once and never destroyed: libFuzzer ends the process
// through exit(), and tearing them down among the exit handlers, after the libraries that the
// class registry loaded are gone, would itself be reported.
const fuzz::LoaderHost* loaderHost = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    loaderHost = new fuzz::LoaderHost;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        fuzz::load(fuzz::Loader::ZELTOR_FUZZ_LOADER,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), *loaderHost);
    } catch (const com::Error&) {
        // Refused with a clear error: what a damaged file should give.
    }
    return 0;
}
