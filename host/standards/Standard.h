#pragma once

#include "Limits.h"

namespace host {

// A named standard with its limits.
class Standard final : public Nelvar::IStandard {
public:
    void Initialize(const QString& name, const QString& key2, int32_t kind) override;
    QString Name() const override { return m_name; }
    QString Key2() const override { return m_key2; }
    // Appends the limit; none raises object not set (91).
    void Add(const std::shared_ptr<Nelvar::ILimit>& limit) override;
    std::shared_ptr<Nelvar::ILimits> Limits() const override { return m_limits; }

private:
    QString m_name;
    QString m_key2;
    const std::shared_ptr<host::Limits> m_limits = std::make_shared<host::Limits>();
};

} // namespace host
