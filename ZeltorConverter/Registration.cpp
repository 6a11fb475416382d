#include "Converters.h"

#include "com/ClassRegistry.h"

#include <memory>

// The converters are created by class from the libraries that use them.
COM_REGISTER_CLASSES(registry)
{
    using namespace ZeltorConverter;
    registry.add({kConvertMLpSecProgId, {}, [] { return std::make_shared<CConvertMLpSec>(); }});
    registry.add({kConvertCmH2OProgId, {}, [] { return std::make_shared<CConvertCmH2O>(); }});
    registry.add({kConvertCelsiusProgId, {}, [] { return std::make_shared<CConvertCelsius>(); }});
}
