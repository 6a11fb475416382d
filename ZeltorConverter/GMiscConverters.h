#pragma once

#include <QString>

#include <cstdint>

namespace ZeltorConverter::GMiscConverters {

// Elapsed time of |iSeconds| as "hh:mm:ss", two digits each; the hours wrap at 60, so the text
// always has eight characters.
QString SecondsToTimeString(const int32_t& iSeconds);

} // namespace ZeltorConverter::GMiscConverters
