#pragma once

#include "RunContext.h"

#include <QDateTime>

namespace Nelvar {
class IInstrumentInfo;
} // namespace Nelvar

namespace host {

// The service record of a finished result: the filter flags it was made under, the result's
// status and values texts, and, once the run handed the result over, when that was and the
// instrument it ran on (serial number and firmware version, each when the instrument gave it).
//
// Record: <ServiceRecord Filter="1" Status="F" Values="/12.5/300" Date="2026-03-04T09:15:00"
// SerialNo="1234" FWVersion="3.02"/>; a run part that is not known is left out.
class ServiceRecord final : public Nelvar::IServiceRecord {
public:
    // Keeps the filter's flags; none raises object not set (91).
    void Initialize(const std::shared_ptr<Nelvar::ITestFilter>& filter, const QString& statusText,
                    const QString& valuesText) override;
    // Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // Raises 91 without an element, invalid call (5) for an element of another name and type
    // mismatch (13) for filter flags that are no number and for a date that is no date and time,
    // leaving the record as it was. The progress is not used.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
              const std::shared_ptr<Nelvar::IProgress>& progress) override;

    // The run that handed the result over: its date and time (to the second) and its instrument,
    // none when the run context knew none.
    void recordRun(const QDateTime& handedOver, const Nelvar::IInstrumentInfo* instrument);

    int32_t FilterFlags() const { return m_filterFlags; }
    QString StatusText() const { return m_statusText; }
    QString ValuesText() const { return m_valuesText; }
    // Invalid when not recorded.
    QDateTime RunDate() const { return m_runDate; }
    QString SerialNo() const { return m_serialNo; }
    QString FWVersion() const { return m_fwVersion; }

    static const QString kElementName;

private:
    int32_t m_filterFlags = 0;
    QString m_statusText;
    QString m_valuesText;
    QDateTime m_runDate;
    QString m_serialNo;
    QString m_fwVersion;
};

} // namespace host
