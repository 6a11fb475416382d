#pragma once

#include "Limits.h"

#include <memory>

namespace host {

// A named standard with its limits, which are the host's own limits.
class Standard final : public Nelvar::IStandard {
public:
    void Initialize(const QString& name, const QString& key2, int32_t kind) override;
    QString Name() const override { return m_name; }
    QString Key2() const override { return m_key2; }
    int32_t Kind() const { return m_kind; }
    // Appends the limit; none raises object not set (91), a limit that is not the host's type
    // mismatch (13).
    void Add(const std::shared_ptr<Nelvar::ILimit>& limit) override;
    std::shared_ptr<Nelvar::ILimits> Limits() const override { return m_limits; }
    // Judges the value (in the parameter's base unit) against the first limit named `key`:
    // status 2 when it fails an enabled bound, 1 when it passes, 0 when the standard has no limit
    // of that key. The third argument is not used.
    void Check(const QString& key, float value, const com::Value& reserved, int32_t& status) const override;

    // A copy with copies of the limits.
    std::shared_ptr<Standard> Clone() const;
    // The element "Standard" of a standards record with one "Limit" per limit; Load reads it back,
    // ignoring children it does not know, and raises as Limit::Load does.
    std::shared_ptr<Nelvar::IXmlElement> Save(Nelvar::IXmlDocument& document) const;
    static std::shared_ptr<Standard> Load(const Nelvar::IXmlElement& element);
    static const QString kElementName;

private:
    QString m_name;
    QString m_key2;
    int32_t m_kind = 0;
    const std::shared_ptr<host::Limits> m_limits = std::make_shared<host::Limits>();
};

} // namespace host
