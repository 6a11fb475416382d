#include "TestGuideWizard.h"

#include "TestGuideTitle.h"

#include "TestElement.h"

#include "com/Failure.h"

namespace host {

TestGuideWizard::TestGuideWizard(QWidget* parent) : Nelvar::XTestGuideWizard(parent)
{
    m_title.setObjectName(QStringLiteral("title"));
    m_comment.setObjectName(QStringLiteral("comment"));
    QFont titleFont = m_title.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title.setFont(titleFont);
    m_commentRow.addWidget(&m_commentLabel);
    m_commentRow.addWidget(&m_comment, 1);
    m_layout.addWidget(&m_title);
    m_layout.addLayout(&m_controls, 1);
    m_layout.addLayout(&m_commentRow);
    connect(&m_comment, &QLineEdit::textEdited, this, [this](const QString& comment) { commentEdited(comment); });
}

TestGuideWizard::~TestGuideWizard()
{
    Release();
}

void TestGuideWizard::Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                                 const std::shared_ptr<Nelvar::ITestSequence>&)
{
    m_element = element;
    m_title.setText(testTitle(element));
    const auto result = element ? element->Result() : nullptr;
    m_comment.setText(result ? result->Comment() : QString());
}

void TestGuideWizard::setResultControl(QWidget* control)
{
    host(m_resultControl, control, 3);
}

void TestGuideWizard::setPanelControl(QWidget* control)
{
    host(m_panelControl, control, 1);
}

void TestGuideWizard::host(QPointer<QWidget>& slot, QWidget* control, int stretch)
{
    if (slot == control)
        return;
    if (slot) {
        m_controls.removeWidget(slot);
        slot->setParent(nullptr);
    }
    slot = control;
    if (control)
        m_controls.addWidget(control, stretch);
}

void TestGuideWizard::ReleaseOwner(QWidget* owner)
{
    if (m_owner == owner)
        m_owner = nullptr;
}

void TestGuideWizard::Release()
{
    // The hosted controls go back to their creator.
    host(m_resultControl, nullptr, 0);
    host(m_panelControl, nullptr, 0);
    m_element.reset();
    m_changeListener = nullptr;
}

void TestGuideWizard::commentEdited(const QString& comment)
{
    const auto element = m_element.lock();
    const auto result = element ? element->Result() : nullptr;
    if (!result)
        return;
    result->setComment(comment);
    if (m_changeListener)
        com::ignoreFailure(m_changeListener);
}

} // namespace host
