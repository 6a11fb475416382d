#pragma once

#include "Object.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace com {

class Value;

// A one-dimensional array of values with its lower bound (0 unless stated), or a two-dimensional
// one stored row by row (see make2D / at2D).
struct ValueArray {
    std::vector<Value> items;
    int32_t lowerBound = 0;
    int32_t columns = 0; // 0: one-dimensional; otherwise the length of the second dimension

    int32_t upperBound() const; // defined below, where Value is complete
    bool isTwoDimensional() const { return columns > 0; }
};

// The platform's typed value. Used only where a typed value or "any number of values" is passed.
class Value {
public:
    struct EmptyTag { bool operator==(const EmptyTag&) const = default; };
    struct NullTag { bool operator==(const NullTag&) const = default; };
    using Array = std::shared_ptr<ValueArray>;
    using ObjectRef = std::shared_ptr<Object>;
    using Storage = std::variant<EmptyTag, NullTag, bool, int16_t, int32_t, float, double, QString, ObjectRef, Array>;

    enum class Type { Empty, Null, Boolean, Integer, Long, Single, Double, String, Object, Array };

    Value() = default;
    Value(bool v) : m_storage(v) {}
    Value(int16_t v) : m_storage(v) {}
    Value(int32_t v) : m_storage(v) {}
    Value(float v) : m_storage(v) {}
    Value(double v) : m_storage(v) {}
    Value(const QString& v) : m_storage(v) {}
    Value(const char* v) : m_storage(QString::fromUtf8(v)) {}
    Value(ObjectRef v) : m_storage(std::move(v)) {}
    template <typename T>
        requires std::is_base_of_v<Object, T>
    Value(std::shared_ptr<T> v) : m_storage(ObjectRef(std::move(v))) {}
    Value(std::vector<Value> items, int32_t lowerBound = 0);

    static Value null();
    static Value make2D(int32_t rows, int32_t columns);

    Type type() const { return static_cast<Type>(m_storage.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const;
    bool isFloating() const { return type() == Type::Single || type() == Type::Double; }
    bool isArray() const { return type() == Type::Array; }
    bool isObject() const { return type() == Type::Object; }

    // Conversions; a value that cannot convert raises type mismatch (13), one that does not fit
    // raises overflow (6). Whole-number conversions round halves to even.
    bool toBool() const;
    int16_t toInt16() const;
    int32_t toInt32() const;
    float toFloat() const;
    double toDouble() const;
    QString toString() const; // the ordinary text form: whole numbers in decimal, "True"/"False"
    ObjectRef toObject() const; // none for Empty and Null; type mismatch otherwise

    template <typename T>
    std::shared_ptr<T> objectAs() const { return std::dynamic_pointer_cast<T>(toObject()); }

    // Array access; a value that is no array raises type mismatch, an index outside it subscript (9).
    // A copy of an array value is a separate array: changing one leaves the other as it was.
    const ValueArray& array() const;
    ValueArray& array();
    const Value& at(int32_t index) const;
    Value& at(int32_t index);
    const Value& at2D(int32_t row, int32_t column) const;
    Value& at2D(int32_t row, int32_t column);

    const Storage& storage() const { return m_storage; }
    bool operator==(const Value& other) const;

private:
    // Offset in the items of a 1-D index or a 2-D position; raises subscript (9) outside them.
    static size_t offsetOf(const ValueArray& a, int32_t index);
    static size_t offsetOf(const ValueArray& a, int32_t row, int32_t column);

    Storage m_storage;
};

inline int32_t ValueArray::upperBound() const { return lowerBound + static_cast<int32_t>(items.size()) - 1; }

} // namespace com
