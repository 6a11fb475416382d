#include "RecordFields.h"

#include "HostErrors.h"

#include "com/Error.h"
#include "format/Format.h"

#include <cmath>

namespace host::records {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// The attribute's text, or raises 13 when it is present but not a number.
QString numericText(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = element.GetAttribute(attribute);
    if (!text.isEmpty() && !format::isNumeric(text))
        errors::raise(com::errTypeMismatch, source,
                      QStringLiteral("%1 of \"%2\" is \"%3\", not a number").arg(attribute, element.TagName(), text));
    return text;
}

[[noreturn]] void raiseOverflow(const Nelvar::IXmlElement& element, const QString& attribute, const QString& text,
                                const QString& source)
{
    errors::raise(com::errOverflow, source,
                  QStringLiteral("%1 of \"%2\" is \"%3\", out of range").arg(attribute, element.TagName(), text));
}

} // namespace

std::shared_ptr<Nelvar::IXmlElement> createElement(Nelvar::IXmlDocument& document, const QString& name,
                                                   const QString& source)
{
    auto element = document.CreateElement(name);
    if (!element)
        errors::raise(com::errObjectNotSet, source, QStringLiteral("the document made no element \"%1\"").arg(name));
    return element;
}

void requireName(const Nelvar::IXmlElement& element, const QString& name, const QString& source)
{
    if (element.TagName() != name)
        errors::raise(com::errInvalidCall, source,
                      QStringLiteral("the element \"%1\" is not a \"%2\" record").arg(element.TagName(), name));
}

int32_t readWholeNumber(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = numericText(element, attribute, source);
    try {
        return format::toInt32(format::leadingNumber(text));
    } catch (const com::Error&) {
        raiseOverflow(element, attribute, text, source);
    }
}

float readNumber(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = numericText(element, attribute, source);
    const auto value = static_cast<float>(format::leadingNumber(text));
    if (!std::isfinite(value))
        raiseOverflow(element, attribute, text, source);
    return value;
}

bool readFlag(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = element.GetAttribute(attribute);
    if (text.isEmpty() || text == kFalse)
        return false;
    if (text == kTrue)
        return true;
    errors::raise(com::errTypeMismatch, source,
                  QStringLiteral("%1 of \"%2\" is \"%3\", not True or False").arg(attribute, element.TagName(), text));
}

void writeFlag(Nelvar::IXmlElement& element, const QString& attribute, bool value)
{
    if (value)
        element.SetAttribute(attribute, kTrue);
}

} // namespace host::records
