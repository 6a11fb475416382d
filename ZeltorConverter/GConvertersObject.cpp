#include "GConvertersObject.h"

#include "GConverters.h"

namespace ZeltorConverter {

QString GConvertersObject::ParseUnitIDToString(int32_t eun) const
{
    return GConverters::ParseUnitIDToString(eun);
}

} // namespace ZeltorConverter
