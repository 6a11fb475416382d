#include "Converters.h"
#include "GConvertersObject.h"

#include "com/ClassRegistry.h"

#include <memory>

// The converters are created by class from the libraries that use them, the unit texts by whoever
// shows units.
COM_REGISTER_CLASSES(registry)
{
    using namespace ZeltorConverter;
    registry.add({kConvertMLpSecProgId, {}, [] { return std::make_shared<CConvertMLpSec>(); }});
    registry.add({kConvertCmH2OProgId, {}, [] { return std::make_shared<CConvertCmH2O>(); }});
    registry.add({kConvertCelsiusProgId, {}, [] { return std::make_shared<CConvertCelsius>(); }});
    registry.add({kGConvertersProgId, {}, [] { return std::make_shared<GConvertersObject>(); }});
}
