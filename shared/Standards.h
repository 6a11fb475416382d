#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

// The host's standards and limits: the expected results of a test. Their values, bounds and
// checks are the host's; the system names the limits, picks them by parameter key and hands them
// to its graphs.
namespace Nelvar {

// One parameter's limit. Index 0 is the upper limit, 1 the lower one.
class ILimit : public virtual com::Object {
public:
    // The system passes the parameter key, the display unit text and two empty texts.
    virtual void Initialize(const QString& name, const QString& unit, const QString& upper,
                            const QString& lower) = 0;
    // The parameter key.
    virtual QString Name() const = 0;
    virtual QString Unit() const = 0;
    virtual void setUnit(const QString& unit) = 0;
    virtual void Value(int32_t index, float& value) const = 0;
    virtual void Enabled(int32_t index, bool& enabled) const = 0;
};

// The limits of one standard, at positions counted from 1.
class ILimits : public virtual com::Object {
public:
    virtual int32_t Count() const = 0;
    virtual std::shared_ptr<ILimit> Item(int32_t position) const = 0;
    virtual void Remove(int32_t position) = 0;

    // Iteration over the limits in order, through Count and Item.
    class Iterator {
    public:
        Iterator(const ILimits& limits, int32_t position) : m_limits(&limits), m_position(position) {}
        std::shared_ptr<ILimit> operator*() const { return m_limits->Item(m_position); }
        Iterator& operator++()
        {
            ++m_position;
            return *this;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        const ILimits* m_limits;
        int32_t m_position;
    };
    Iterator begin() const { return Iterator(*this, 1); }
    Iterator end() const { return Iterator(*this, Count() + 1); }
};

// A standard: a named set of limits, one per parameter.
class IStandard : public virtual com::Object {
public:
    // The name, the second key and the host's kind of standard (the system passes 1).
    virtual void Initialize(const QString& name, const QString& key2, int32_t kind) = 0;
    virtual QString Name() const = 0;
    virtual QString Key2() const = 0;
    virtual void Add(const std::shared_ptr<ILimit>& limit) = 0;
    virtual std::shared_ptr<ILimits> Limits() const = 0;
};

} // namespace Nelvar
