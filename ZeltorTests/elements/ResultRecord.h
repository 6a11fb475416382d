#pragma once

#include "Measurement.h"
#include "TestElement.h"

#include "com/KeyedCollection.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace Nelvar {
class IServiceRecord;
class IStandards;
class ITestFilter;
} // namespace Nelvar

namespace ZeltorTests {

class CMeasurement;

// What both result records share: the overall status, the operator's comment, the host's
// instrument record identifier and the service record; the judging of the measurements against
// the limits; and the "ResultItem" record that carries all of it with the measurements.
class ResultRecord : public Nelvar::IResultData, public std::enable_shared_from_this<ResultRecord> {
public:
    using Measurements = com::KeyedCollection<std::shared_ptr<CMeasurement>>;

    enum EStatus : int32_t {
        ersNone = 0,
        ersPass = 1,
        ersFail = 2,
        ersNotApplicable = 3,
    };

    // Judges the measurements that have samples against the limit context (when there is one).
    // The status leaves 0 only once a measurement has samples, and never goes back from fail.
    // Reports no error.
    void EvaluateLimits(const std::shared_ptr<Nelvar::ILimitData>& limits,
                        const std::shared_ptr<Nelvar::IStandards>& context);
    // Made when bit 0 of the filter's flags asks for it and the result has a status: status text
    // "NA" when not applicable, else "F" when a measurement failed; values text "/" and the value
    // of each measurement that has one.
    void CreateServiceRecord(const std::shared_ptr<Nelvar::ITestFilter>& filter);
    virtual void SetStatus(int32_t status) { m_status = status; }
    // A run cut off before its end fails, and its comment says why: `reason` is appended to the
    // comment on the same line, its line breaks turned into spaces. The measurements keep their
    // own status.
    void recordCutOff(const QString& reason);
    void setMTIID(int32_t id) { m_mtiId = id; }

    // IResultData
    QString Comment() const final { return m_comment; }
    void setComment(const QString& comment) final { m_comment = comment; }
    int32_t Status() const final { return m_status; }
    // None when there is no such measurement.
    std::shared_ptr<Nelvar::IMeasurement> Measurement(int32_t index) const final;
    std::shared_ptr<Nelvar::IMeasurement> Measurement(const QString& key) const final;
    int32_t MeasurementCount() const final;
    std::shared_ptr<Nelvar::IServiceRecord> ServiceRecord() const final { return m_serviceRecord; }
    int32_t MTIID() const final { return m_mtiId; }
    // The result's page, made by its class name and given this result.
    std::shared_ptr<Nelvar::IDialog> CreateDialog() final;

protected:
    // `errorSource` names the record in the errors that its saving and loading pass on.
    explicit ResultRecord(QString errorSource) : m_errorSource(std::move(errorSource)) {}

    // The measurements, in record order; none while the record holds none.
    virtual const Measurements* measurements() const = 0;
    // The class name by which the result asks for its page.
    virtual QString pageClass() const = 0;

    // A new "ResultItem" element (not appended): "Version", "MTI" unless 0, the status node,
    // "Comment" unless empty, the service record's element, the measurements' elements, then what
    // `appendOwn` adds. Raises 0x8004A3EC when the document makes no element. The system's own
    // errors pass on unchanged, others wrapped with the error source.
    std::shared_ptr<Nelvar::IXmlElement> saveRecord(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                    const std::function<void(Nelvar::IXmlElement& record)>& appendOwn);
    // Reads a "ResultItem", inside a progress task of `progressTextKey` when a progress object is
    // given. Raises 0x8004A3EB for another element; once the element is known `reset` runs, then
    // the "MTI" attribute and the children "Comment", "Status" and "ServiceRecord" are read into
    // this record and every other child goes to `readOwnChild`, in document order. A failure ends
    // the task and passes on as saveRecord's do; what was read before stays.
    void loadRecord(const std::shared_ptr<Nelvar::IXmlElement>& element,
                    const std::shared_ptr<Nelvar::IProgress>& progress, const QString& progressTextKey,
                    const std::function<void()>& reset,
                    const std::function<void(const std::shared_ptr<Nelvar::IXmlElement>& child)>& readOwnChild);
    // No comment, status 0, no service record, identifier 0.
    void clearRecord();

private:
    QString m_errorSource;
    std::shared_ptr<Nelvar::IServiceRecord> m_serviceRecord;
    int32_t m_status = ersNone;
    QString m_comment;
    int32_t m_mtiId = 0;
};

} // namespace ZeltorTests
