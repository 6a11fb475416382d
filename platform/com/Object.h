#pragma once

namespace com {

// Common base of every public class and interface, so that a typed value can hold any object
// and "query interface" is a dynamic_pointer_cast from it. Interfaces derive from it virtually,
// so that a class offering several interfaces is still one com::Object.
class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object() = default;
};

} // namespace com
