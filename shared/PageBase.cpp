#include "PageBase.h"

#include "HostViews.h"
#include "TranslateControls.h"

#include "com/ClassRegistry.h"

namespace Zeltor {

PageBase::PageBase(QWidget* parent) : QWidget(parent) {}

PageBase::~PageBase() = default;

std::shared_ptr<Nelvar::ICallBack> PageBase::CallBack() const
{
    return m_callBack;
}

void PageBase::setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack)
{
    if (!m_viewOnly)
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
    if (m_lockFixed || locked == m_locked)
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

bool PageBase::takesEdit(const EditOptions& options) const
{
    return (options.whileLoading || !m_loading) && (options.whileLocked || !m_locked) && isBound();
}

void PageBase::setViewOnly(bool locked)
{
    m_viewOnly = true;
    m_callBack.reset();
    fixLock(locked);
}

void PageBase::fixLock(bool locked)
{
    m_locked = locked;
    m_lockFixed = true;
}

void PageBase::createHelpText()
{
    com::ignoreFailure([&] {
        m_helpText
            = com::ClassRegistry::instance().createAs<Nelvar::XHelpText>(QString::fromLatin1(Nelvar::kHelpTextProgId));
    });
    if (!m_helpText)
        return;
    m_helpText->setParent(this);
    m_helpText->setObjectName(QStringLiteral("xhtHelpText"));
}

void PageBase::setHelpText(const QString& key)
{
    if (m_helpText)
        com::ignoreFailure([&] { m_helpText->setText(translated(key)); });
}

PageBase::LoadingScope::LoadingScope(PageBase& page) : m_page(page), m_wasLoading(page.m_loading)
{
    m_page.m_loading = true;
}

PageBase::LoadingScope::~LoadingScope()
{
    m_page.m_loading = m_wasLoading;
}

} // namespace Zeltor
