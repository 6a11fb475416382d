#include "TemplateEntry.h"

#include "PlugInErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "Tests.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

namespace ZeltorPlugin {

namespace {

const QString kEntryName = QStringLiteral("TestElement");
const QString kClassNameAttribute = QStringLiteral("ClassName");
const QString kIdAttribute = QStringLiteral("ID");
const QString kLanguageKeyAttribute = QStringLiteral("LID");

[[noreturn]] void raiseTemplateInvalid()
{
    Zeltor::raiseOwnError(eeTemplateInvalid, kPlugInSource, 4);
}

// The translation of a child's language key; empty without a key.
QString languageText(const Nelvar::IXmlElement& child)
{
    const QString key = child.GetAttribute(kLanguageKeyAttribute);
    return key.isEmpty() ? QString() : Nelvar::languageService().GetText(Zeltor::kProduct, key);
}

// The entry's texts go to the element's info, its expected results to the element's limits.
// A text or a limit record that fails is passed over.
void describe(Nelvar::ITestElement& element, const Nelvar::IXmlElement& entry)
{
    QString type, parameter, name, description;
    std::shared_ptr<Nelvar::IXmlElementList> children;
    int32_t count = 0;
    com::ignoreFailure([&] {
        children = entry.ChildElements();
        count = children->Count();
    });
    for (int32_t i = 0; i < count; ++i) {
        com::ignoreFailure([&] {
            const auto child = children->Item(i);
            const QString tag = child->TagName();
            if (tag == QLatin1String("Type"))
                type = languageText(*child);
            else if (tag == QLatin1String("Parameter"))
                parameter = languageText(*child);
            else if (tag == QLatin1String("Name"))
                name = languageText(*child);
            else if (tag == QLatin1String("Description"))
                description = languageText(*child);
            else if (tag == QLatin1String("ExpectedResult"))
                com::required(element.Limits()).Load(child, nullptr);
        });
    }
    std::shared_ptr<Nelvar::ITestInfo> info;
    com::ignoreFailure([&] { info = element.Info(); });
    com::ignoreFailure([&] { com::required(info).SetType(type, parameter); });
    com::ignoreFailure([&] { com::required(info).setDescription(description); });
    com::ignoreFailure([&] { com::required(info).setName(name); });
}

void addMembers(Nelvar::ITests& group, const Nelvar::IXmlElement& entry)
{
    const auto children = entry.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        if (child->TagName() == kEntryName)
            group.Add(createTestElement(*child), nullptr, Nelvar::ITests::eapLast);
    }
}

} // namespace

std::shared_ptr<Nelvar::ITestElement> createTestElement(const Nelvar::IXmlElement& entry)
{
    try {
        const QString className = entry.GetAttribute(kClassNameAttribute);
        if (className.isEmpty())
            raiseTemplateInvalid();
        const auto element = com::ClassRegistry::instance().createAs<Nelvar::ITestElement>(className);
        const QString idText = entry.GetAttribute(kIdAttribute);
        if (idText.isEmpty())
            raiseTemplateInvalid();
        const int32_t id = format::toInt32(format::leadingNumber(idText));
        element->Initialize(Zeltor::kProduct, id, id);
        describe(*element, entry);
        if (const auto group = std::dynamic_pointer_cast<Nelvar::ITests>(element))
            addMembers(*group, entry);
        return element;
    } catch (...) {
        passListedOrWrap({eeTemplateInvalid}, kPlugInSource);
    }
}

} // namespace ZeltorPlugin
