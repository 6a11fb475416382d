#include "PageBase.h"

namespace Zeltor {

PageBase::PageBase(QWidget* parent) : QWidget(parent) {}

std::shared_ptr<Nelvar::ICallBack> PageBase::CallBack() const
{
    return m_callBack;
}

void PageBase::setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack)
{
    m_callBack = callBack;
}

QWidget* PageBase::hWnd() const
{
    // The handle of the page's own window; handing it out changes nothing in the page.
    return const_cast<PageBase*>(this);
}

bool PageBase::Visible() const
{
    return !isHidden();
}

void PageBase::setVisible(bool visible)
{
    QWidget::setVisible(visible);
}

bool PageBase::Locked() const
{
    return m_locked;
}

void PageBase::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    lockChanged(locked);
}

void PageBase::Refresh()
{
    update();
}

void PageBase::SetFocus()
{
    for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
        if (isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
            && next->isVisibleTo(this)) {
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    setFocus(Qt::OtherFocusReason);
}

void PageBase::raiseChange()
{
    if (m_callBack && !m_loading)
        m_callBack->RaiseEvent(QStringLiteral("Change"), {});
}

void PageBase::lockChanged(bool) {}

PageBase::LoadingScope::LoadingScope(PageBase& page) : m_page(page), m_wasLoading(page.m_loading)
{
    m_page.m_loading = true;
}

PageBase::LoadingScope::~LoadingScope()
{
    m_page.m_loading = m_wasLoading;
}

} // namespace Zeltor
