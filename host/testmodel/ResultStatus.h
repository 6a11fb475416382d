#pragma once

#include <QString>

#include <cstdint>

namespace host {

// The statuses a test's result record reports to the host: 0 while nothing is judged yet, then
// pass, fail or not applicable.
enum ResultStatus : int32_t {
    rstNotJudged = 0,
    rstPassed = 1,
    rstFailed = 2,
    rstNotApplicable = 3,
};

// The status as the user reads it: "passed", "failed", "not applicable", "not judged"; another
// number as "status N".
QString resultStatusText(int32_t status);

} // namespace host
