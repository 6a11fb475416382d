#pragma once

#include "Report.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"

#include <QStringList>

#include <memory>
#include <utility>

// What one part of a test element (configuration, limits or result) saves and loads: an element
// of the part's record name with a "Content" attribute; every load is recorded as
// "<tag>:<Content>" with the owner or progress it was given.
struct PartRecord {
    PartRecord(QString name, QString initialContent)
        : recordName(std::move(name))
        , content(std::move(initialContent))
    {
    }

    QString recordName;
    QString content;
    QStringList loads;
    std::shared_ptr<Nelvar::ITestSequence> printSequence;

    // Prints the record's name as a text box, so that a test sees where the part printed.
    void print(Nelvar::IReport& report) const
    {
        dynamic_cast<Nelvar::IReportPage&>(report).PrintText(recordName, 0, 0, 0, 0, false, false, false);
    }
    std::shared_ptr<com::Object> loadOwner;
    bool loadGotProgress = false;

    void load(const std::shared_ptr<Nelvar::IXmlElement>& element)
    {
        const Nelvar::IXmlElement& saved = com::required(element);
        loads << saved.TagName() + QLatin1Char(':') + saved.GetAttribute(QStringLiteral("Content"));
    }
    std::shared_ptr<Nelvar::IXmlElement> save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
    {
        const auto element = com::required(document).CreateElement(recordName);
        element->SetAttribute(QStringLiteral("Content"), content);
        return element;
    }
};

class RecordingConfig final : public Nelvar::IConfigData {
public:
    explicit RecordingConfig(QString content) : record(QStringLiteral("PlugInData"), std::move(content)) {}

    bool HasDialog() const override { return false; }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { return nullptr; }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report) override { record.print(*report); }
    std::shared_ptr<Nelvar::IConfigData> Clone() const override
    {
        return givesCopies ? std::make_shared<RecordingConfig>(record.content) : nullptr;
    }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override
    {
        record.load(element);
        record.loadOwner = owner;
    }
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override
    {
        return record.save(document);
    }

    PartRecord record;
    bool givesCopies = true;
};

class RecordingLimits final : public Nelvar::ILimitData {
public:
    explicit RecordingLimits(QString content) : record(QStringLiteral("ExpectedResult"), std::move(content)) {}

    QString Description() const override { return {}; }
    void setDescription(const QString&) override {}
    bool HasDialog() const override { return false; }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { return nullptr; }
    std::shared_ptr<Nelvar::IStandards> Standards() const override { return nullptr; }
    std::shared_ptr<Nelvar::ITestElement> Owner() const override { return nullptr; }
    std::shared_ptr<Nelvar::ILimitData> Clone() const override
    {
        return std::make_shared<RecordingLimits>(record.content);
    }
    std::shared_ptr<Nelvar::IStandard> CreateStandard(const QString&, const QString&) override { return nullptr; }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override
    {
        record.load(element);
        record.loadOwner = owner;
    }
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override
    {
        return record.save(document);
    }
    void UpdateLimits(const std::shared_ptr<com::Object>&) override {}
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override
    {
        record.print(*report);
        record.printSequence = sequence;
    }
    std::shared_ptr<Nelvar::IStandards> FindFailedStandards(const std::shared_ptr<Nelvar::IMeasurement>&,
                                                            const std::shared_ptr<Nelvar::IStandards>&) override
    {
        return nullptr;
    }

    PartRecord record;
};

class RecordingResult final : public Nelvar::IResultData {
public:
    explicit RecordingResult(QString content) : record(QStringLiteral("ResultItem"), std::move(content)) {}

    QString Comment() const override { return comment; }
    void setComment(const QString& text) override { comment = text; }
    bool HasDialog() const override { return false; }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { return nullptr; }
    int32_t Status() const override { return status; }
    std::shared_ptr<Nelvar::IMeasurement> Measurement(int32_t) const override { return nullptr; }
    std::shared_ptr<Nelvar::IMeasurement> Measurement(const QString&) const override { return nullptr; }
    int32_t MeasurementCount() const override { return 0; }
    std::shared_ptr<Nelvar::IServiceRecord> ServiceRecord() const override { return serviceRecord; }
    int32_t MTIID() const override { return 0; }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override
    {
        record.print(*report);
        record.printSequence = sequence;
    }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
              const std::shared_ptr<Nelvar::IProgress>& progress) override
    {
        record.load(element);
        record.loadGotProgress = progress != nullptr;
    }
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override
    {
        return record.save(document);
    }

    PartRecord record;
    int32_t status = 0;
    QString comment;
    std::shared_ptr<Nelvar::IServiceRecord> serviceRecord;
};
