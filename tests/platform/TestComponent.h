#pragma once

#include "com/Object.h"

#include <QString>

// What the test component library serves, known to the tests that load it.
inline constexpr const char* kGreeterProgId = "PlatformTest.Greeter";
inline constexpr const char* kGreeterClassId = "{6B1D0F52-3C1E-4E8A-9A53-1F2D7C0B9E41}";
inline constexpr const char* kPlainProgId = "PlatformTest.Plain";

class ITestGreeter : public com::Object {
public:
    virtual QString Greeting() const = 0;
};
