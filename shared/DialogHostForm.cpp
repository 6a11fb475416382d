#include "DialogHostForm.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"

#include <QFocusEvent>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <functional>

namespace Zeltor {

namespace {

// The form's own window: it hands the focus it receives on to the page.
class FormWindow final : public QWidget {
public:
    explicit FormWindow(std::function<void()> passFocus) : m_passFocus(std::move(passFocus)) {}

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QWidget::focusInEvent(event);
        com::ignoreFailure(m_passFocus);
    }

private:
    std::function<void()> m_passFocus;
};

// A coordinate from the host as whole pixels, kept within what a widget's geometry can hold;
// a value that is no number counts as 0.
int toPixels(float value, int lowest)
{
    if (std::isnan(value))
        return 0;
    const float clamped = std::clamp(value, static_cast<float>(lowest), static_cast<float>(QWIDGETSIZE_MAX));
    return static_cast<int>(std::lround(clamped));
}

QRect pixelRect(float left, float top, float width, float height)
{
    return {toPixels(left, -QWIDGETSIZE_MAX), toPixels(top, -QWIDGETSIZE_MAX), toPixels(width, 0), toPixels(height, 0)};
}

} // namespace

DialogHostForm::DialogHostForm() : m_window(std::make_unique<FormWindow>([this] { SetFocus(); })) {}

DialogHostForm::~DialogHostForm()
{
    // The page leaves whatever widget it is in before the form lets go of it, so that no widget
    // deletes it and it goes when its last owner releases it.
    if (m_pageWindow)
        m_pageWindow->setParent(nullptr);
}

std::shared_ptr<Nelvar::ICustomControl> DialogHostForm::CreateSetupCtrl(const QString& className)
{
    if (className.isEmpty() || m_page || m_unloaded)
        return nullptr;
    std::shared_ptr<Nelvar::ICustomControl> page;
    QWidget* pageWindow = nullptr;
    const bool created = com::ignoreFailure([&] {
        page = std::dynamic_pointer_cast<Nelvar::ICustomControl>(com::ClassRegistry::instance().create(className));
        if (page)
            pageWindow = page->hWnd();
    });
    if (!created || !page)
        return nullptr;
    m_page = std::move(page);
    m_pageWindow = pageWindow;
    if (m_pageWindow) {
        m_pageWindow->setParent(m_window.get());
        m_pageWindow->hide();
    }
    return m_page;
}

void DialogHostForm::InitializeQuietly(const com::Value& data)
{
    com::ignoreFailure([&] { Initialize(data); });
}

template <typename Call>
void DialogHostForm::forward(Call&& call) const
{
    if (m_page && !m_unloaded)
        com::ignoreFailure([&] { call(*m_page); });
}

std::shared_ptr<Nelvar::ICallBack> DialogHostForm::CallBack() const
{
    std::shared_ptr<Nelvar::ICallBack> callBack;
    forward([&](const Nelvar::ICustomControl& page) { callBack = page.CallBack(); });
    return callBack;
}

void DialogHostForm::setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack)
{
    if (m_unloaded)
        return;
    forward([&](Nelvar::ICustomControl& page) { page.setCallBack(callBack); });
    callBackSet(callBack);
}

bool DialogHostForm::IsDocked() const
{
    return m_docked;
}

bool DialogHostForm::Locked() const
{
    bool locked = false;
    forward([&](const Nelvar::ICustomControl& page) { locked = page.Locked(); });
    return locked;
}

void DialogHostForm::setLocked(bool locked)
{
    forward([&](Nelvar::ICustomControl& page) { page.setLocked(locked); });
}

void DialogHostForm::Initialize(const com::Value& data)
{
    if (m_page && !m_unloaded)
        m_page->Initialize(data);
}

void DialogHostForm::Hide()
{
    if (m_unloaded)
        return;
    if (!m_docked)
        m_window->hide();
    else if (m_pageWindow)
        m_pageWindow->hide();
}

void DialogHostForm::Show(int32_t)
{
    if (m_docked && m_pageWindow && !m_unloaded)
        m_pageWindow->show();
}

void DialogHostForm::Dock(QWidget* parent)
{
    if (!parent || m_unloaded)
        return;
    reparentPage(parent);
    m_docked = true;
}

void DialogHostForm::UnDock()
{
    if (m_unloaded)
        return;
    reparentPage(m_window.get());
    m_docked = false;
}

void DialogHostForm::Unload()
{
    if (m_unloaded)
        return;
    reparentPage(m_window.get());
    m_docked = false;
    m_unloaded = true;
    m_window->hide();
    unloaded();
}

void DialogHostForm::Move(float left, float top, float width, float height)
{
    if (m_unloaded)
        return;
    if (QWidget* target = moveTarget())
        target->setGeometry(pixelRect(left, top, width, height));
}

void DialogHostForm::Refresh()
{
    forward([](Nelvar::ICustomControl& page) { page.Refresh(); });
}

void DialogHostForm::SetFocus()
{
    forward([](Nelvar::ICustomControl& page) { page.SetFocus(); });
}

void DialogHostForm::callBackSet(const std::shared_ptr<Nelvar::ICallBack>&) {}

void DialogHostForm::unloaded() {}

void DialogHostForm::reparentPage(QWidget* parent) const
{
    if (!m_pageWindow || m_pageWindow->parentWidget() == parent)
        return;
    const bool shown = !m_pageWindow->isHidden();
    m_pageWindow->setParent(parent);
    m_pageWindow->setVisible(shown);
}

QWidget* DialogHostForm::moveTarget() const
{
    return m_docked ? m_pageWindow.data() : m_window.get();
}

} // namespace Zeltor
