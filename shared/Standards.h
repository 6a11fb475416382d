#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

// The host's standards and limits: the expected results of a test. Their values, bounds and
// checks are the host's; the system names the limits, picks them by parameter key and hands them
// to its graphs.
namespace Nelvar {

class IConverter;
class IReport;
class IXmlDocument;
class IXmlElement;
class ITestElement;

// ProgIDs of the host's classes the system creates its standards and limits from.
inline constexpr const char* kStandardsProgId = "Nelvar.Standards";
inline constexpr const char* kStandardProgId = "Nelvar.Standard";
inline constexpr const char* kLimitProgId = "Nelvar.Limit";

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
    // Judges one measured value (in the parameter's base unit) against the standard's limit of
    // that key: status 2 when the value fails it, any other status when it does not. The system
    // passes a null value as the third argument.
    virtual void Check(const QString& key, float value, const com::Value& reserved, int32_t& status) const = 0;
};

// A limit that converts its values between the parameter's base unit and display unit.
class INumericLimit : public virtual com::Object {
public:
    virtual void SetConversion(const std::shared_ptr<IConverter>& converter, const QString& baseUnitText) = 0;
};

// A collection of standards: the expected results of one test, or the standards a run is judged
// against (its limit context).
class IStandards : public virtual com::Object {
public:
    virtual void Add(const std::shared_ptr<IStandard>& standard) = 0;
    virtual int32_t Count() const = 0;
    // The standard at a position counted from 1, for enumeration.
    virtual std::shared_ptr<IStandard> ItemAt(int32_t position) const = 0;
    // The standard with that name and second key, or none. The system passes 0 as the index.
    virtual std::shared_ptr<IStandard> Item(int32_t index, const QString& name, const QString& key2) const = 0;
    // An independent copy: standards and limits are copied, not shared.
    virtual std::shared_ptr<IStandards> Clone() const = 0;
    // A new element holding the standards (not appended); the caller may rename it.
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) const = 0;
    // Fills the collection from an element that Save wrote (whatever its name).
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual void Clear() = 0;
    // The element that owns the standards, when the host asks it to update its references.
    virtual void UpdateReferences(const std::shared_ptr<ITestElement>& element) = 0;
    // Prints the standards that the run's limit context holds (all of them without a context).
    // `table` is a 2-D text array with one row per parameter: key, translated caption and value
    // format.
    virtual void PrintReport(const std::shared_ptr<IReport>& report, const std::shared_ptr<IStandards>& limitContext,
                             const com::Value& table) = 0;

    // Iteration over the standards in order, through Count and ItemAt.
    class Iterator {
    public:
        Iterator(const IStandards& standards, int32_t position) : m_standards(&standards), m_position(position) {}
        std::shared_ptr<IStandard> operator*() const { return m_standards->ItemAt(m_position); }
        Iterator& operator++()
        {
            ++m_position;
            return *this;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        const IStandards* m_standards;
        int32_t m_position;
    };
    Iterator begin() const { return Iterator(*this, 1); }
    Iterator end() const { return Iterator(*this, Count() + 1); }
};

} // namespace Nelvar
