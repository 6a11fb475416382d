#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

// The host's test-element model as the system sees it: the element the host runs and the faces
// of its configuration, limits and result. The system implements ITestElement, IConfigData,
// ILimitData, IResultData and IMeasurement; the host supplies the element base behind each
// element and its companions.
namespace Nelvar {

class IDialog;
class IMeasurement;
class IProgress;
class IReport;
class IServiceRecord;
class IStandard;
class IStandards;
class ITestElement;
class ITestSequence;
class IXmlDocument;
class IXmlElement;

// ProgID of the host's element base; each test element creates one at construction.
inline constexpr const char* kTestElementBaseProgId = "Nelvar.TestElementBase";

// The descriptive record of an element.
class ITestInfo : public virtual com::Object {
public:
    virtual void SetType(const QString& typeName, const QString& typeText) = 0;
    virtual void setName(const QString& name) = 0;
    virtual void setDescription(const QString& description) = 0;
};

// The element's filter: bit 0 of Flags asks for a service record for a kept result.
class ITestFilter : public virtual com::Object {
public:
    virtual int32_t Flags() const = 0;
};

class IConfigData : public virtual com::Object {
public:
    virtual bool HasDialog() const = 0;
    // The configuration's page in a dialog host form, for the host to dock; none when there is
    // no page or it cannot be made.
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual std::shared_ptr<IConfigData> Clone() const = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
    // Prints the configuration into the report.
    virtual void PrintReport(const std::shared_ptr<IReport>& report) = 0;
};

class ILimitData : public virtual com::Object {
public:
    virtual QString Description() const = 0;
    virtual void setDescription(const QString& description) = 0;
    virtual bool HasDialog() const = 0;
    // The limit page in a dialog host form, for the host to dock; none when it cannot be made.
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    // None until a standard is created or loaded.
    virtual std::shared_ptr<IStandards> Standards() const = 0;
    virtual std::shared_ptr<ITestElement> Owner() const = 0;
    virtual std::shared_ptr<ILimitData> Clone() const = 0;
    virtual std::shared_ptr<IStandard> CreateStandard(const QString& name, const QString& key2) = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
    virtual void UpdateLimits(const std::shared_ptr<com::Object>& object) = 0;
    // The standards of the limit context that the measurement's value fails, or none.
    virtual std::shared_ptr<IStandards> FindFailedStandards(const std::shared_ptr<IMeasurement>& measurement,
                                                            const std::shared_ptr<IStandards>& context) = 0;
    // Prints the expected results, judged in the run context's limit context.
    virtual void PrintReport(const std::shared_ptr<IReport>& report, const std::shared_ptr<ITestSequence>& sequence) = 0;
};

class IResultData : public virtual com::Object {
public:
    virtual QString Comment() const = 0;
    virtual void setComment(const QString& comment) = 0;
    virtual bool HasDialog() const = 0;
    // The result's page in a dialog host form, for the host to dock; none when there is no page or
    // it cannot be made.
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    // 0 none, 1 pass, 2 fail, 3 not applicable.
    virtual int32_t Status() const = 0;
    // By 1-based position or by parameter key; none when there is no such measurement.
    virtual std::shared_ptr<IMeasurement> Measurement(int32_t index) const = 0;
    virtual std::shared_ptr<IMeasurement> Measurement(const QString& key) const = 0;
    virtual int32_t MeasurementCount() const = 0;
    virtual std::shared_ptr<IServiceRecord> ServiceRecord() const = 0;
    virtual int32_t MTIID() const = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<IProgress>& progress) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
    // Prints the result into the report; the run context is not used by the system's results.
    virtual void PrintReport(const std::shared_ptr<IReport>& report, const std::shared_ptr<ITestSequence>& sequence) = 0;
};

// The host's object behind every test element: it keeps the element's identity, its
// configuration, limits and result, and loads and saves the element.
class ITestElementBase : public virtual com::Object {
public:
    virtual void Initialize(const QString& plugInID, int32_t testID, int32_t id) = 0;
    virtual QString PlugInID() const = 0;
    virtual int32_t TestID() const = 0;
    virtual int32_t ID() const = 0;
    virtual void setID(int32_t id) = 0;
    virtual std::shared_ptr<com::Object> Parent() const = 0;
    virtual void setParent(const std::shared_ptr<com::Object>& parent) = 0;
    // Each get returns the very object last set; Result is none until one is set.
    virtual std::shared_ptr<IConfigData> Configuration() const = 0;
    virtual void setConfiguration(const std::shared_ptr<IConfigData>& configuration) = 0;
    virtual std::shared_ptr<ILimitData> Limits() const = 0;
    virtual void setLimits(const std::shared_ptr<ILimitData>& limits) = 0;
    virtual std::shared_ptr<IResultData> Result() const = 0;
    virtual void setResult(const std::shared_ptr<IResultData>& result) = 0;
    virtual std::shared_ptr<ITestInfo> Info() const = 0;
    virtual std::shared_ptr<ITestFilter> Filter() const = 0;
    // A new base with the same kept values and with configuration and limits cloned.
    virtual std::shared_ptr<ITestElementBase> Clone() const = 0;
    // Loads a saved element; a "ResultItem" goes into the result last set.
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document, int32_t flag) = 0;
    // Prints the element into the report, with the run context that judged its result.
    virtual void PrintReport(const std::shared_ptr<IReport>& report, const std::shared_ptr<ITestSequence>& sequence) = 0;
    virtual void Terminate() = 0;
};

// A test element as the host runs it.
class ITestElement : public virtual com::Object {
public:
    virtual QString PlugInID() const = 0;
    virtual int32_t TestID() const = 0;
    virtual int32_t ID() const = 0;
    virtual void setID(int32_t id) = 0;
    virtual std::shared_ptr<com::Object> Parent() const = 0;
    virtual void setParent(const std::shared_ptr<com::Object>& parent) = 0;
    virtual std::shared_ptr<ITestInfo> Info() const = 0;
    virtual std::shared_ptr<ITestFilter> Filter() const = 0;
    virtual std::shared_ptr<IResultData> Result() const = 0;
    virtual std::shared_ptr<ILimitData> Limits() const = 0;
    virtual std::shared_ptr<IConfigData> Configuration() const = 0;
    virtual void Initialize(const QString& plugInID, int32_t testID, int32_t id) = 0;
    // A new element of the same class copied from this one; none when it cannot be made.
    virtual std::shared_ptr<ITestElement> Clone() = 0;
    // Runs the test in its window; returns when the window is closed.
    virtual void Perform(const std::shared_ptr<ITestSequence>& sequence) = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document, int32_t flag) = 0;
    // Prints the element through its element base.
    virtual void PrintReport(const std::shared_ptr<IReport>& report, const std::shared_ptr<ITestSequence>& sequence) = 0;
    virtual void QuerySetParent(const std::shared_ptr<com::Object>& parent, bool& answer) = 0;
    virtual void Terminate() = 0;
    virtual void UpdateReferences() = 0;
    // Rows of (parameter key, translated caption) of the measured parameters, as a 2-D text array.
    virtual com::Value GetMeasurementList() = 0;
};

} // namespace Nelvar
