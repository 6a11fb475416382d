#include "RecordFields.h"

#include "HostErrors.h"

#include "RecordReading.h"

#include "com/Error.h"

namespace host::records {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// The attribute as a refusal names it: "TestID of \"TestElement\"".
QString fieldName(const Nelvar::IXmlElement& element, const QString& attribute)
{
    return QStringLiteral("%1 of \"%2\"").arg(attribute, element.TagName());
}

// Runs `read`; the field it refuses is refused from `source`.
template <typename Read>
auto refusedFrom(const QString& source, Read read)
{
    try {
        return read();
    } catch (const com::Error& refusal) {
        errors::raise(refusal.number(), source, refusal.description());
    }
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
    const QString text = element.GetAttribute(attribute);
    if (text.isEmpty())
        return 0;
    return refusedFrom(source, [&] { return Zeltor::records::wholeNumber(fieldName(element, attribute), text); });
}

float readNumber(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = element.GetAttribute(attribute);
    if (text.isEmpty())
        return 0.0f;
    return refusedFrom(source, [&] { return Zeltor::records::singleNumber(fieldName(element, attribute), text); });
}

bool readFlag(const Nelvar::IXmlElement& element, const QString& attribute, const QString& source)
{
    const QString text = element.GetAttribute(attribute);
    if (text.isEmpty() || text == kFalse)
        return false;
    if (text == kTrue)
        return true;
    return refusedFrom(source, [&]() -> bool {
        Zeltor::records::refuse(com::errTypeMismatch, fieldName(element, attribute), text,
                                QStringLiteral("not True or False"));
    });
}

void writeFlag(Nelvar::IXmlElement& element, const QString& attribute, bool value)
{
    if (value)
        element.SetAttribute(attribute, kTrue);
}

} // namespace host::records
