#pragma once

#include "TestGuideHost.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace host {

// The test guide area of a test's window: the test's name, the test's own result control beside
// its second panel, and the result's comment, which the operator edits here.
class TestGuideWizard final : public Nelvar::XTestGuideWizard {
    Q_OBJECT

public:
    explicit TestGuideWizard(QWidget* parent = nullptr);
    ~TestGuideWizard() override;

    void Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                    const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void setResultControl(QWidget* control) override;
    void setPanelControl(QWidget* control) override;
    void setOwner(QWidget* owner) override { m_owner = owner; }
    QWidget* Owner() const { return m_owner; }
    void ReleaseOwner(QWidget* owner) override;
    void Release() override;
    void setChangeListener(std::function<void()> listener) override { m_changeListener = std::move(listener); }

private:
    void host(QPointer<QWidget>& slot, QWidget* control, int stretch);
    void commentEdited(const QString& comment);

    std::weak_ptr<Nelvar::ITestElement> m_element;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_resultControl;
    QPointer<QWidget> m_panelControl;
    std::function<void()> m_changeListener;
    QVBoxLayout m_layout{this};
    QLabel m_title;
    QHBoxLayout m_controls;
    QHBoxLayout m_commentRow;
    QLabel m_commentLabel{QStringLiteral("Comment:")};
    QLineEdit m_comment;
};

} // namespace host
