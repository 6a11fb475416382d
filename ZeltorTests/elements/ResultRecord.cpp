#include "elements/ResultRecord.h"

#include "elements/PageDialog.h"

#include "Version.h"
#include "elements/TestErrors.h"

#include "data/CMeasurement.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "RecordNames.h"
#include "RecordReading.h"
#include "RunContext.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

#include <QSet>

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kResultItem;
const QString kMeasurementName = QStringLiteral("Measurement");

std::shared_ptr<Nelvar::IServiceRecord> newServiceRecord()
{
    return com::ClassRegistry::instance().createAs<Nelvar::IServiceRecord>(
        QString::fromLatin1(Nelvar::kServiceRecordProgId));
}

} // namespace

void ResultRecord::EvaluateLimits(const std::shared_ptr<Nelvar::ILimitData>& limits,
                                  const std::shared_ptr<Nelvar::IStandards>& context)
{
    com::ignoreFailure([&] {
        const Measurements& all = com::required(measurements());
        bool anySamples = false;
        for (const auto& measurement : all)
            anySamples = anySamples || measurement->HasSamples();
        // A run without a single reading is not reported as passed.
        if (m_status == ersNone && anySamples)
            m_status = ersPass;
        if (!context)
            return;
        for (const auto& measurement : all) {
            if (!measurement->HasSamples())
                continue;
            com::ignoreFailure([&] {
                if (com::required(limits).FindFailedStandards(measurement, context)) {
                    measurement->setStatus(CMeasurement::emsFail);
                    m_status = ersFail;
                } else {
                    measurement->setStatus(CMeasurement::emsPass);
                }
            });
        }
    });
}

void ResultRecord::CreateServiceRecord(const std::shared_ptr<Nelvar::ITestFilter>& filter)
{
    if (!(com::required(filter).Flags() & 1) || m_status == ersNone)
        return;
    QString statusText;
    QString valuesText;
    if (m_status == ersNotApplicable) {
        statusText = QStringLiteral("NA");
    } else {
        for (const auto& measurement : com::required(measurements())) {
            if (measurement->Status() == CMeasurement::emsFail)
                statusText = QStringLiteral("F");
            const QString value = measurement->Value().toString();
            if (!value.isEmpty())
                valuesText += QLatin1Char('/') + value;
        }
    }
    m_serviceRecord = newServiceRecord();
    m_serviceRecord->Initialize(filter, statusText, valuesText);
}

void ResultRecord::recordCutOff(const QString& reason)
{
    const QString note = QString(reason).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    m_comment = m_comment.isEmpty() ? note : m_comment + QStringLiteral("; ") + note;
    m_status = ersFail;
}

std::shared_ptr<Nelvar::IMeasurement> ResultRecord::Measurement(int32_t index) const
{
    const Measurements* all = measurements();
    if (!all || index < 1 || index > all->Count())
        return nullptr;
    return all->Item(index);
}

std::shared_ptr<Nelvar::IMeasurement> ResultRecord::Measurement(const QString& key) const
{
    const Measurements* all = measurements();
    if (!all || !all->Contains(key))
        return nullptr;
    return all->Item(key);
}

int32_t ResultRecord::MeasurementCount() const
{
    const Measurements* all = measurements();
    return all ? all->Count() : 0;
}

std::shared_ptr<Nelvar::IXmlElement> ResultRecord::saveRecord(
    const std::shared_ptr<Nelvar::IXmlDocument>& document,
    const std::function<void(Nelvar::IXmlElement& record)>& appendOwn)
{
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            Zeltor::raiseOwnError(eeResultCannotCreateElement, m_errorSource, 3);
        element->SetAttribute(QStringLiteral("Version"), Zeltor::versionText());
        if (m_mtiId != 0)
            element->SetAttribute(QStringLiteral("MTI"), m_mtiId);
        if (const auto status = Nelvar::xmlService().SaveStatus(document, m_status, QString()))
            element->AppendChild(status);
        if (!m_comment.isEmpty())
            element->AddChildElement(QStringLiteral("Comment"), m_comment);
        if (m_serviceRecord)
            if (const auto record = m_serviceRecord->Save(document))
                element->AppendChild(record);
        for (const auto& measurement : com::required(measurements()))
            if (const auto saved = measurement->Save(document))
                element->AppendChild(saved);
        if (appendOwn)
            appendOwn(*element);
        return element;
    } catch (...) {
        Zeltor::passOwnOrWrap(m_errorSource);
    }
}

void ResultRecord::loadRecord(const std::shared_ptr<Nelvar::IXmlElement>& element,
                              const std::shared_ptr<Nelvar::IProgress>& progress, const QString& progressTextKey,
                              const std::function<void()>& reset,
                              const std::function<void(const std::shared_ptr<Nelvar::IXmlElement>& child)>& readOwnChild)
{
    int32_t task = 0;
    const auto endTask = [&] {
        if (progress && task != 0)
            com::ignoreFailure([&] { progress->EndTask(task); });
    };
    try {
        if (progress)
            progress->BeginTask(Zeltor::kProduct, progressTextKey, task);
        const Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName)
            Zeltor::raiseOwnError(eeResultWrongElement, m_errorSource, 4);
        if (reset)
            reset();
        const QString mti = record.GetAttribute(QStringLiteral("MTI"));
        if (!mti.isEmpty())
            m_mtiId = Zeltor::records::leadingWholeNumber(QStringLiteral("MTI"), mti);
        QSet<QString> measurementKeys;
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const auto child = children->Item(i);
            const QString tag = child->TagName();
            if (tag == kMeasurementName) {
                // A second measurement under one key would overwrite or hide the first; the record
                // is damaged.
                const QString key = child->GetAttribute(QStringLiteral("Key"));
                if (!key.isEmpty() && Q_UNLIKELY(measurementKeys.contains(key)))
                    throw com::Error(com::errDuplicateKey, m_errorSource,
                                     QStringLiteral("%1: two measurements have the key \"%2\"").arg(kElementName, key));
                measurementKeys.insert(key);
            }
            if (tag == QLatin1String("Comment")) {
                m_comment = child->Text();
            } else if (tag == QLatin1String("Status")) {
                QString text;
                Nelvar::xmlService().LoadStatus(child, m_status, text);
            } else if (tag == QLatin1String("ServiceRecord")) {
                auto serviceRecord = newServiceRecord();
                serviceRecord->Load(child, progress);
                m_serviceRecord = std::move(serviceRecord);
            } else if (readOwnChild) {
                readOwnChild(child);
            }
        }
        endTask();
    } catch (...) {
        endTask();
        Zeltor::passOwnOrWrap(m_errorSource);
    }
}

void ResultRecord::clearRecord()
{
    m_comment.clear();
    m_status = ersNone;
    m_serviceRecord.reset();
    m_mtiId = 0;
}

std::shared_ptr<Nelvar::IDialog> ResultRecord::CreateDialog()
{
    // A page needs the result it edits held; a result nobody holds has none.
    const auto self = weak_from_this().lock();
    if (!self)
        return nullptr;
    return openPageDialog(pageClass(),
                          com::Value(std::static_pointer_cast<com::Object>(std::static_pointer_cast<Nelvar::IResultData>(self))));
}

} // namespace ZeltorTests
