#pragma once

#include "TestElement.h"

namespace host {

// The descriptive record of a test element: its type name (a language key) and type text, and
// the name and description the host lists it by.
class TestInfo final : public Nelvar::ITestInfo {
public:
    void SetType(const QString& typeName, const QString& typeText) override
    {
        m_typeName = typeName;
        m_typeText = typeText;
    }
    void setName(const QString& name) override { m_name = name; }
    void setDescription(const QString& description) override { m_description = description; }
    QString TypeName() const { return m_typeName; }
    QString TypeText() const { return m_typeText; }
    QString Name() const { return m_name; }
    QString Description() const { return m_description; }

private:
    QString m_typeName;
    QString m_typeText;
    QString m_name;
    QString m_description;
};

} // namespace host
