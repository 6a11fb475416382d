#include "TemplateEntry.h"

#include "PlugInErrors.h"

#include "HostServices.h"
#include "Product.h"
#include "RecordNames.h"
#include "RecordReading.h"
#include "Tests.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorPlugin {

namespace {

constexpr QLatin1String kEntryName = Zeltor::RecordNames::kTestElement;
const QString kClassNameAttribute = QStringLiteral("ClassName");
const QString kIdAttribute = QStringLiteral("ID");
const QString kLanguageKeyAttribute = QStringLiteral("LID");

// The translation of a child's language key; empty without a key.
QString languageText(const Nelvar::IXmlElement& child)
{
    const QString key = child.GetAttribute(kLanguageKeyAttribute);
    return key.isEmpty() ? QString() : Nelvar::languageService().GetText(Zeltor::kProduct, key);
}

// The template as a refusal of one of its fields names it.
QString templateName(const QString& templatePath)
{
    return QStringLiteral("The test template \"%1\"").arg(templatePath);
}

// An attribute of an entry as a refusal names it.
QString attributeName(const QString& attribute)
{
    return QStringLiteral("%1 of \"%2\"").arg(attribute, kEntryName);
}

// Refuses an entry's attribute with `number`, naming the template, the attribute and its text.
[[noreturn]] void refuseAttribute(int32_t number, const QString& attribute, const QString& text, const QString& reason,
                                  const QString& templatePath)
{
    try {
        Zeltor::records::refuse(number, attributeName(attribute), text, reason);
    } catch (...) {
        Zeltor::records::raiseWithin(templateName(templatePath));
    }
}

// One entry of the template: where it stands and which test it makes.
struct Entry {
    const Nelvar::IXmlElement& element;
    const QString& templatePath;
    QString className;
    int32_t id = 0;

    QString testName() const { return QStringLiteral("test %1 (%2)").arg(QString::number(id), className); }
};

// The limits of an "ExpectedResult" child go to the element's limit data. The template is read
// whole or not at all: a record that cannot be read makes it invalid, rather than leaving the
// test listed without the expected results it was given.
void loadExpectedResult(Nelvar::ITestElement& element, const std::shared_ptr<Nelvar::IXmlElement>& record,
                        const Entry& entry)
{
    const auto limits = element.Limits();
    if (!limits)
        raiseTemplateInvalid(entry.templatePath, entry.testName() + QStringLiteral(" takes no expected results"));
    try {
        limits->Load(record, nullptr);
    } catch (...) {
        raiseTemplateInvalid(entry.templatePath, QStringLiteral("the expected results of %1 cannot be read: %2")
                                                     .arg(entry.testName(), com::currentError().description()));
    }
}

// The entry's texts go to the element's info, its expected results to the element's limits.
// A text that fails is passed over.
void describe(Nelvar::ITestElement& element, const Entry& entry)
{
    QString type, parameter, name, description;
    std::shared_ptr<Nelvar::IXmlElementList> children;
    int32_t count = 0;
    com::ignoreFailure([&] {
        children = entry.element.ChildElements();
        count = children->Count();
    });
    for (int32_t i = 0; i < count; ++i) {
        std::shared_ptr<Nelvar::IXmlElement> child;
        QString tag;
        if (!com::ignoreFailure([&] {
                child = children->Item(i);
                tag = child->TagName();
            }))
            continue;
        if (tag == Zeltor::RecordNames::kExpectedResult) {
            loadExpectedResult(element, child, entry);
            continue;
        }
        com::ignoreFailure([&] {
            if (tag == QLatin1String("Type"))
                type = languageText(*child);
            else if (tag == QLatin1String("Parameter"))
                parameter = languageText(*child);
            else if (tag == QLatin1String("Name"))
                name = languageText(*child);
            else if (tag == QLatin1String("Description"))
                description = languageText(*child);
        });
    }
    std::shared_ptr<Nelvar::ITestInfo> info;
    com::ignoreFailure([&] { info = element.Info(); });
    com::ignoreFailure([&] { com::required(info).SetType(type, parameter); });
    com::ignoreFailure([&] { com::required(info).setDescription(description); });
    com::ignoreFailure([&] { com::required(info).setName(name); });
}

void addMembers(Nelvar::ITests& group, const Nelvar::IXmlElement& entry, const QString& templatePath)
{
    const auto children = entry.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        if (child->TagName() == kEntryName)
            group.Add(createTestElement(*child, templatePath), nullptr, Nelvar::ITests::eapLast);
    }
}

} // namespace

std::shared_ptr<Nelvar::ITestElement> createTestElement(const Nelvar::IXmlElement& entry, const QString& templatePath)
{
    try {
        Entry described{entry, templatePath, entry.GetAttribute(kClassNameAttribute)};
        if (described.className.isEmpty())
            raiseTemplateInvalid(templatePath, QStringLiteral("an entry has no \"%1\"").arg(kClassNameAttribute));
        const auto element = std::dynamic_pointer_cast<Nelvar::ITestElement>(
            com::ClassRegistry::instance().create(described.className));
        if (!element)
            refuseAttribute(com::errTypeMismatch, kClassNameAttribute, described.className,
                            QStringLiteral("not a test element"), templatePath);
        const QString idText = entry.GetAttribute(kIdAttribute);
        if (idText.isEmpty())
            raiseTemplateInvalid(templatePath, QStringLiteral("the entry of %1 has no \"%2\"")
                                                   .arg(described.className, kIdAttribute));
        Zeltor::records::readingRecord(templateName(templatePath), [&] {
            described.id = Zeltor::records::leadingWholeNumber(attributeName(kIdAttribute), idText);
        });
        element->Initialize(Zeltor::kProduct, described.id, described.id);
        describe(*element, described);
        if (const auto group = std::dynamic_pointer_cast<Nelvar::ITests>(element))
            addMembers(*group, entry, templatePath);
        return element;
    } catch (...) {
        passListedOrWrap({eeTemplateInvalid}, kPlugInSource);
    }
}

} // namespace ZeltorPlugin
