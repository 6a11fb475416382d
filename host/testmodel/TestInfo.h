#pragma once

#include "TestElement.h"

namespace host {

// The descriptive record of a test element: its type name (a language key) and type text.
class TestInfo final : public Nelvar::ITestInfo {
public:
    void SetType(const QString& typeName, const QString& typeText) override
    {
        m_typeName = typeName;
        m_typeText = typeText;
    }
    QString TypeName() const { return m_typeName; }
    QString TypeText() const { return m_typeText; }

private:
    QString m_typeName;
    QString m_typeText;
};

} // namespace host
