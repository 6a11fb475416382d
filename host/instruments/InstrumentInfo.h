#pragma once

#include "Instruments.h"

namespace host {

// The host's record of one instrument: its type and number in the host's list, and the
// identity it reported (model, serial number, firmware version).
class InstrumentInfo : public Nelvar::IInstrumentInfo {
public:
    void SetType(const QString& typeName, int32_t id) override;
    void SetIdentity(const QString& model, const QString& serialNo, const QString& fwVersion) override;
    QString TypeName() const override { return m_typeName; }
    int32_t ID() const override { return m_id; }
    QString SerialNo() const override { return m_serialNo; }
    QString FWVersion() const override { return m_fwVersion; }
    QString Model() const { return m_model; }

private:
    QString m_typeName;
    int32_t m_id = 0;
    QString m_model;
    QString m_serialNo;
    QString m_fwVersion;
};

} // namespace host
