#pragma once

#include "RunContext.h"

namespace host {

// The service record of a finished result: the filter flags it was made under and the result's
// status and values texts.
//
// Record: <ServiceRecord Filter="1" Status="F" Values="/12.5/300"/>.
class ServiceRecord final : public Nelvar::IServiceRecord {
public:
    // Keeps the filter's flags; none raises object not set (91).
    void Initialize(const std::shared_ptr<Nelvar::ITestFilter>& filter, const QString& statusText,
                    const QString& valuesText) override;
    // Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // Raises 91 without an element, invalid call (5) for an element of another name and type
    // mismatch (13) for filter flags that are no number, leaving the record as it was. The
    // progress is not used.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
              const std::shared_ptr<Nelvar::IProgress>& progress) override;

    int32_t FilterFlags() const { return m_filterFlags; }
    QString StatusText() const { return m_statusText; }
    QString ValuesText() const { return m_valuesText; }

    static const QString kElementName;

private:
    int32_t m_filterFlags = 0;
    QString m_statusText;
    QString m_valuesText;
};

} // namespace host
