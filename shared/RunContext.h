#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

// What the host hands a test run: the run context with its navigation and instrument list, and
// the companions of a result (progress of a load, service record, test-guide settings).
namespace Nelvar {

class IInstrumentInfo;
class IStandards;
class ITestElement;
class ITestFilter;
class IXmlDocument;
class IXmlElement;

// ProgIDs of the host's classes the system creates these companions from.
inline constexpr const char* kServiceRecordProgId = "Nelvar.ServiceRecord";
inline constexpr const char* kTestGuideConfigProgId = "Nelvar.TestGuideConfig";

// Where the run context goes when the test window closes.
enum ENavigation : int32_t {
    enavNext = 0,
    enavPrevious = 1,
    enavAbort = 2,
    enavSkip = 3,
};

// The host's list of known instruments, at positions counted from 1.
class IInstruments : public virtual com::Object {
public:
    virtual int32_t Count() const = 0;
    virtual std::shared_ptr<IInstrumentInfo> Item(int32_t position) const = 0;
    virtual void Add(const std::shared_ptr<IInstrumentInfo>& instrument) = 0;
};

// The run context of one test run.
class ITestSequence : public virtual com::Object {
public:
    // Asked first: a test that may not run returns at once.
    virtual void QueryPerform(const std::shared_ptr<ITestElement>& element, bool& allowed) = 0;
    virtual void Navigate(int32_t code) = 0;
    // A kept result is complete.
    virtual void ResultReady(const std::shared_ptr<ITestElement>& element) = 0;
    // The standards the run's results are judged against; may be none.
    virtual std::shared_ptr<IStandards> LimitContext() const = 0;
    // May be none.
    virtual std::shared_ptr<IInstruments> Instruments() const = 0;
};

// The progress shown while a result loads.
class IProgress : public virtual com::Object {
public:
    virtual void BeginTask(const QString& product, const QString& textKey, int32_t& handle) = 0;
    virtual void EndTask(int32_t handle) = 0;
};

// The service record of a finished result.
class IServiceRecord : public virtual com::Object {
public:
    virtual void Initialize(const std::shared_ptr<ITestFilter>& filter, const QString& statusText,
                            const QString& valuesText) = 0;
    // The element to append, named "ServiceRecord".
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<IProgress>& progress) = 0;
};

// The test-guide settings of one test: whether the operator may skip it or mark it not applicable.
class ITestGuideConfig : public virtual com::Object {
public:
    enum EFlags : int32_t {
        etgAllowSkip = 1,
        etgAllowNotApplicable = 2,
    };

    virtual std::shared_ptr<ITestGuideConfig> Clone() const = 0;
    // The element to append, named "TestGuideSettings"; may be none.
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const std::shared_ptr<com::Object>& owner) = 0;
    virtual int32_t Flags() const = 0;
};

} // namespace Nelvar
