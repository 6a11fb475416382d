#include "Value.h"

#include "Error.h"
#include "format/Format.h"

#include <cmath>
#include <limits>

namespace com {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

double numericValue(const Value::Storage& storage)
{
    return std::visit(
        Overloaded{
            [](const Value::EmptyTag&) { return 0.0; },
            [](bool v) { return v ? -1.0 : 0.0; },
            [](int16_t v) { return static_cast<double>(v); },
            [](int32_t v) { return static_cast<double>(v); },
            [](float v) { return static_cast<double>(v); },
            [](double v) { return v; },
            [](const QString& v) -> double {
                if (!format::isNumeric(v))
                    throw Error::typeMismatch();
                return format::leadingNumber(v);
            },
            [](const auto&) -> double { throw Error::typeMismatch(); },
        },
        storage);
}

} // namespace

Value::Value(std::vector<Value> items, int32_t lowerBound)
    : m_storage(std::make_shared<ValueArray>(ValueArray{std::move(items), lowerBound, 0}))
{
}

Value Value::null()
{
    Value v;
    v.m_storage = NullTag{};
    return v;
}

Value Value::make2D(int32_t rows, int32_t columns)
{
    if (rows < 0 || columns <= 0)
        throw Error::subscript();
    Value v(std::vector<Value>(static_cast<size_t>(rows) * static_cast<size_t>(columns)));
    v.array().columns = columns;
    return v;
}

bool Value::isNumeric() const
{
    switch (type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
        return true;
    default:
        return false;
    }
}

bool Value::toBool() const
{
    if (const auto* text = std::get_if<QString>(&m_storage)) {
        if (text->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return numericValue(m_storage) != 0.0;
}

int16_t Value::toInt16() const
{
    if (const auto* v = std::get_if<int16_t>(&m_storage))
        return *v;
    return format::toInt16(numericValue(m_storage));
}

int32_t Value::toInt32() const
{
    if (const auto* v = std::get_if<int32_t>(&m_storage))
        return *v;
    return format::toInt32(numericValue(m_storage));
}

float Value::toFloat() const
{
    const double v = numericValue(m_storage);
    if (std::isfinite(v) && std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        throw Error::overflow();
    return static_cast<float>(v);
}

double Value::toDouble() const
{
    return numericValue(m_storage);
}

QString Value::toString() const
{
    return std::visit(
        Overloaded{
            [](const EmptyTag&) { return QString(); },
            [](const NullTag&) -> QString { throw Error(errInvalidCall, {}, QStringLiteral("Invalid use of Null")); },
            [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); },
            [](int16_t v) { return QString::number(v); },
            [](int32_t v) { return QString::number(v); },
            [](float v) { return format::generalText(v); },
            [](double v) { return format::generalText(v); },
            [](const QString& v) { return v; },
            [](const auto&) -> QString { throw Error::typeMismatch(); },
        },
        m_storage);
}

Value::ObjectRef Value::toObject() const
{
    if (isEmpty() || isNull())
        return nullptr;
    if (const auto* object = std::get_if<ObjectRef>(&m_storage))
        return *object;
    throw Error::typeMismatch();
}

const ValueArray& Value::array() const
{
    if (const auto* a = std::get_if<Array>(&m_storage); a && *a)
        return **a;
    throw Error::typeMismatch();
}

ValueArray& Value::array()
{
    if (auto* a = std::get_if<Array>(&m_storage); a && *a) {
        // Copies share an array until one of them is changed: that one gets its own copy.
        if (a->use_count() > 1)
            *a = std::make_shared<ValueArray>(**a);
        return **a;
    }
    throw Error::typeMismatch();
}

const Value& Value::at(int32_t index) const
{
    const ValueArray& a = array();
    return a.items[offsetOf(a, index)];
}

Value& Value::at(int32_t index)
{
    ValueArray& a = array();
    return a.items[offsetOf(a, index)];
}

const Value& Value::at2D(int32_t row, int32_t column) const
{
    const ValueArray& a = array();
    return a.items[offsetOf(a, row, column)];
}

Value& Value::at2D(int32_t row, int32_t column)
{
    ValueArray& a = array();
    return a.items[offsetOf(a, row, column)];
}

size_t Value::offsetOf(const ValueArray& a, int32_t index)
{
    const int64_t offset = static_cast<int64_t>(index) - a.lowerBound;
    if (a.isTwoDimensional() || offset < 0 || offset >= static_cast<int64_t>(a.items.size()))
        throw Error::subscript();
    return static_cast<size_t>(offset);
}

size_t Value::offsetOf(const ValueArray& a, int32_t row, int32_t column)
{
    if (!a.isTwoDimensional() || row < 0 || column < 0 || column >= a.columns)
        throw Error::subscript();
    const size_t offset = static_cast<size_t>(row) * static_cast<size_t>(a.columns) + static_cast<size_t>(column);
    if (offset >= a.items.size())
        throw Error::subscript();
    return offset;
}

bool Value::operator==(const Value& other) const
{
    if (isArray() && other.isArray()) {
        const ValueArray& a = array();
        const ValueArray& b = other.array();
        return a.lowerBound == b.lowerBound && a.columns == b.columns && a.items == b.items;
    }
    return m_storage == other.m_storage;
}

} // namespace com
