#include "TestTemplate.h"

#include "PlugInErrors.h"
#include "TemplateEntry.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "RecordNames.h"
#include "Tests.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorPlugin {

namespace {

const QString kTemplateDataName = QStringLiteral("TemplateData");
constexpr QLatin1String kEntryName = Zeltor::RecordNames::kTestElement;

// The run-time numbers of file and path faults.
constexpr int32_t kFirstFileError = 52;
constexpr int32_t kLastFileError = 76;

// Runs one step of the reading; the passed-over host error skips just that step.
template <typename Step>
void readingStep(Step&& step)
{
    try {
        std::forward<Step>(step)();
    } catch (const com::Error& error) {
        if (error.number() != kPassedOverHostError)
            throw;
    }
}

void readEntries(Nelvar::ITestCollection& tests, const QString& path)
{
    std::shared_ptr<Nelvar::IXmlDocument> document;
    readingStep([&] { document = Nelvar::xmlService().CreateDocument(); });
    readingStep([&] { com::required(std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)).Load(path); });

    std::shared_ptr<Nelvar::IXmlElement> data;
    readingStep([&] {
        const auto root = com::required(document).DocumentElement();
        data = root ? root->FindChildElement(kTemplateDataName, 0) : nullptr;
        if (!data)
            raiseTemplateInvalid(path, QStringLiteral("it has no \"TemplateData\""));
    });
    readingStep([&] {
        if (!com::required(data).HasChildNodes())
            raiseTemplateInvalid(path, QStringLiteral("its \"TemplateData\" is empty"));
    });

    std::shared_ptr<Nelvar::IXmlElementList> children;
    int32_t count = 0;
    readingStep([&] {
        children = com::required(data).ChildElements();
        count = children->Count();
    });
    for (int32_t i = 0; i < count; ++i) {
        // An entry whose creation is passed over adds nothing.
        readingStep([&] {
            const auto child = children->Item(i);
            if (child->TagName() == kEntryName)
                tests.Add(createTestElement(*child, path), nullptr, Nelvar::ITests::eapLast);
        });
    }
}

[[noreturn]] void raiseReadingError()
{
    const com::Error error = com::currentError();
    if (error.number() == com::errFileNotFound)
        Zeltor::raiseOwnError(eeTemplateNotFound, kPlugInSource, 4);
    if (error.number() >= kFirstFileError && error.number() <= kLastFileError)
        raiseTemplateUnreadable(error.description());
    passListedOrWrap({eeTemplateInvalid}, kPlugInSource);
}

} // namespace

std::shared_ptr<Nelvar::ITestCollection> readTestTemplate(const QString& path)
{
    std::shared_ptr<Nelvar::ITestCollection> tests;
    try {
        tests = com::ClassRegistry::instance().createAs<Nelvar::ITestCollection>(
            QString::fromLatin1(Nelvar::kTestCollectionProgId));
        readEntries(*tests, path);
        return tests;
    } catch (...) {
        if (tests)
            com::ignoreFailure([&] { tests->Clear(); });
        raiseReadingError();
    }
}

} // namespace ZeltorPlugin
