#pragma once

#include "TestGuideHost.h"

#include <QHBoxLayout>
#include <QLabel>

namespace host {

// The status strip of a test's window: pass, fail or not applicable, whether the result has a
// comment, and the standard its limits are shown for.
class TestGuideStatusBar final : public Nelvar::XTestGuideStatusBar {
    Q_OBJECT

public:
    explicit TestGuideStatusBar(QWidget* parent = nullptr);

    int32_t Status() const override { return m_status; }
    void setStatus(int32_t status) override;
    bool CommentFlag() const override { return m_commentFlag; }
    void setCommentFlag(bool hasComment) override;
    void SetStandard(const QString& name, const QString& completeName) override;

private:
    int32_t m_status = 0;
    bool m_commentFlag = false;
    QHBoxLayout m_layout{this};
    QLabel m_statusText;
    QLabel m_commentText;
    QLabel m_standardText;
};

} // namespace host
