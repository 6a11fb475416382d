#include "ui/FZeltorTestGuide.h"

#include "elements/CConfigVentilator.h"
#include "elements/CConfigZeltor.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "data/CSnapshotColl.h"
#include "data/CTrendCollection.h"
#include "elements/DurationSeconds.h"
#include "elements/HighResTimer.h"
#include "IZeltorConfiguration.h"
#include "elements/MGlobalFunctions.h"
#include "TranslateControls.h"

#include "GMiscConverters.h"

#include "HostServices.h"
#include "Product.h"
#include "RunContext.h"
#include "Standards.h"
#include "TestElement.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "events/MessageBoxes.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>

#include <array>

namespace ZeltorTests {

namespace {

constexpr int32_t kVentilatorTest = 100;
constexpr int32_t kClockInterval = 1000;
constexpr int32_t kClockResolution = 10;
constexpr int kSphereSize = 32; // pixels

// Design size of the window and the place of the status bar in the toolbar strip, in twips.
constexpr int kDesignWidth = 12000;
constexpr int kDesignHeight = 7800;
constexpr int kStatusBarLeft = 5280;
constexpr int kStatusBarTop = 30;
constexpr int kStatusBarRightMargin = 5325;
constexpr int kStatusBarHeightMargin = 60;

bool isSingleReadingTest(int32_t testID)
{
    return testID == 200 || testID == 300 || testID == 400 || testID == 500;
}

} // namespace

FZeltorTestGuide::FZeltorTestGuide()
    : m_xtgWizard(Nelvar::createTestGuideWizard(this)),
      m_xtgStatusBar(Nelvar::createTestGuideStatusBar(&m_tbrPerform)),
      m_xpsProgress(Nelvar::createProgressSphere(this))
{
    setObjectName(QStringLiteral("FZeltorTestGuide"));
    m_xtgWizard->setObjectName(QStringLiteral("xtgWizard"));
    m_xtgStatusBar->setObjectName(QStringLiteral("xtgStatusBar"));
    m_xpsProgress->setObjectName(QStringLiteral("xpsProgress"));
    m_xmmaMaxMinAvg.setObjectName(QStringLiteral("xmmaMaxMinAvg"));
    resize(widgets::twipsToPixels(kDesignWidth), widgets::twipsToPixels(kDesignHeight));
    m_xfvFullscreen.setObjectName(QStringLiteral("xfvFullscreen"));
    m_xrvResult.hide();
    m_xmmaMaxMinAvg.hide();
    m_xfvFullscreen.hide();

    m_tbrPerform.setCommandHandler([this](const QString& key) { PerformAction(key); });
    connect(&m_xrvResult, &XResultVentilator::SelectionChange, this,
            [this](const QString& key) { onSelectionChange(key); });
    connect(&m_xrvResult, &XResultVentilator::StandardSelected, this,
            [this](const QString& name, const QString& completeName) { onStandardSelected(name, completeName); });
    m_xtgWizard->setChangeListener([this] { onWizardChange(); });
    connect(&m_xfvFullscreen, &XFullscreenView::ExitFullScreen, this, [this] { setDisplayMode(edmNormal); });
    connect(&m_xfvFullscreen, &XFullscreenView::CreateSnapshot, this,
            [this](int32_t currentX) { onCreateSnapshot(currentX); });

    Zeltor::translateToolbar(m_tbrPerform);
    Zeltor::translateControls(*this);

    m_clock = MGlobalFunctions::CreateHighResTimer();
    if (m_clock)
        m_clock->setTimerHandler([this] { raiseEvent(&ITestGuideEvents::TimerTick); });
    QCoreApplication::instance()->installEventFilter(this);
}

FZeltorTestGuide::~FZeltorTestGuide()
{
    QCoreApplication::instance()->removeEventFilter(this);
    com::ignoreFailure([&] {
        if (m_clock)
            m_clock->setEnabled(false);
    });
    com::ignoreFailure([&] { m_xtgWizard->ReleaseOwner(this); });
    com::ignoreFailure([&] { m_xtgWizard->Release(); });
}

template <typename Event>
void FZeltorTestGuide::raiseEvent(Event handler)
{
    // The element's handlers report to the operator themselves; nothing goes back to the button,
    // key or clock that raised the event.
    com::ignoreFailure([&] { (com::required(m_events).*handler)(); });
}

void FZeltorTestGuide::Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                                  const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    m_element = element;
    Nelvar::ITestElement& test = com::required(element);
    setWindowTitle(Nelvar::testGuideServices().GetWindowTitle(element));

    m_xtgWizard->Initialize(element, sequence);
    m_xtgWizard->setResultControl(&m_xrvResult);

    const auto result = test.Result();
    m_xtgStatusBar->setStatus(com::required(result).Status());
    m_xtgStatusBar->setCommentFlag(result->Comment().size() > 0);

    ApplyTestGuideConfig(std::dynamic_pointer_cast<IZeltorConfiguration>(test.Configuration()));

    bool predefinedTrend = false;
    const int32_t testID = test.TestID();
    if (testID == kVentilatorTest) {
        const auto configuration = std::dynamic_pointer_cast<CConfigVentilator>(test.Configuration());
        m_tbrPerform.setCommandEnabled(QStringLiteral("fullscreen"), result->Status() != 0);
        m_duration = durationSeconds(com::required(configuration).Duration());
        predefinedTrend = com::required(configuration->TrendSettings()).Active();
        m_tbrPerform.setCommandVisible(QStringLiteral("seperator"), true);
        m_tbrPerform.setCommandVisible(QStringLiteral("tools"), true);
        m_xtgWizard->setPanelControl(&m_xmmaMaxMinAvg);
        m_xmmaMaxMinAvg.show();
    } else if (isSingleReadingTest(testID)) {
        m_duration = durationSeconds(com::required(std::dynamic_pointer_cast<CConfigZeltor>(test.Configuration())).Duration());
    }

    InitializeResultList(com::required(sequence).LimitContext(), predefinedTrend);

    m_xmmaMaxMinAvg.Initialize(m_duration);
    m_xtgWizard->setOwner(this);

    m_displayMode = edmNormal;
    layoutControls();
    m_normalRect = geometry();
}

void FZeltorTestGuide::ApplyTestGuideConfig(const std::shared_ptr<IZeltorConfiguration>& configuration)
{
    if (!configuration)
        return;
    const int32_t flags = com::required(configuration->TestGuideConfig()).Flags();
    const bool allowNotApplicable = (flags & Nelvar::ITestGuideConfig::etgAllowNotApplicable) != 0;
    const bool allowSkip = (flags & Nelvar::ITestGuideConfig::etgAllowSkip) != 0;
    m_tbrPerform.setCommandEnabled(QStringLiteral("na"), allowNotApplicable);
    m_tbrPerform.setPermission(QStringLiteral("na"), allowNotApplicable);
    m_tbrPerform.setCommandEnabled(QStringLiteral("skip"), allowSkip);
    m_tbrPerform.setPermission(QStringLiteral("skip"), allowSkip);
}

void FZeltorTestGuide::InitializeResultList(const std::shared_ptr<Nelvar::IStandards>& limitContext,
                                            bool showStatistics)
{
    m_xrvResult.Initialize(m_element, limitContext, showStatistics);
    m_xrvResult.show();
    const int32_t status = resultStatus();
    if (status == CResultVentilator::ersPass || status == CResultVentilator::ersFail) {
        m_xrvResult.UpdateDisplay(m_element->Result());
        if (m_element->TestID() == kVentilatorTest) {
            m_xfvFullscreen.Initialize(m_element, *this, false);
            if (const auto result = ventilatorResult())
                m_xfvFullscreen.DisplayResults(*result, *this);
        }
    }
    m_tbrPerform.setCommandEnabled(QStringLiteral("next"), status != 0);
}

void FZeltorTestGuide::EnableNavigation(bool enable)
{
    const int32_t status = resultStatus();
    m_tbrPerform.setCommandEnabled(QStringLiteral("next"), enable && status != 0);
    m_tbrPerform.setCommandEnabled(QStringLiteral("prev"), enable);
    m_tbrPerform.setCommandEnabled(QStringLiteral("na"), enable && m_tbrPerform.permission(QStringLiteral("na")));
    m_tbrPerform.setCommandEnabled(QStringLiteral("skip"), enable && m_tbrPerform.permission(QStringLiteral("skip")));
}

void FZeltorTestGuide::ShowModal()
{
    setWindowModality(Qt::ApplicationModal);
    m_shown = true;
    show();
    events::EventLoop::current().runModal([this] { return m_shown; });
}

void FZeltorTestGuide::Hide()
{
    m_shown = false;
    hide();
}

void FZeltorTestGuide::setRunning(bool running)
{
    m_running = running;
    if (!running)
        return;
    com::ignoreFailure([&] {
        HighResTimer& clock = com::required(m_clock);
        clock.setInterval(kClockInterval);
        clock.Stats().Resolution = kClockResolution;
        clock.setEnabled(true);
    });
    com::ignoreFailure([&] { m_xpsProgress->Start(); });
}

void FZeltorTestGuide::SetStoppedState()
{
    m_running = false;
    com::ignoreFailure([&] { m_xpsProgress->Stop(); });
    com::ignoreFailure([&] { com::required(m_clock).setEnabled(false); });
    com::ignoreFailure([&] { m_xfvFullscreen.StopTest(); });
    m_tbrPerform.setCommandEnabled(QStringLiteral("play"), true);
    m_tbrPerform.setCommandEnabled(QStringLiteral("stop"), false);
    m_tbrPerform.setCommandEnabled(QStringLiteral("reset"), false);
    com::ignoreFailure([&] { EnableNavigation(true); });
}

void FZeltorTestGuide::UpdateElapsedTime(int32_t seconds)
{
    m_xfvFullscreen.setElapsedTime(seconds);
    const int32_t remaining = m_duration - seconds;
    if (remaining < 0)
        return;
    com::ignoreFailure([&] {
        m_xmmaMaxMinAvg.UpdateTimer(ZeltorConverter::GMiscConverters::SecondsToTimeString(seconds),
                                    ZeltorConverter::GMiscConverters::SecondsToTimeString(remaining));
    });
}

void FZeltorTestGuide::UpdateResults(const std::shared_ptr<Nelvar::IResultData>& result)
{
    if (m_displayMode != edmNormal)
        return;
    com::ignoreFailure([&] { m_xrvResult.UpdateDisplay(result); });
    com::ignoreFailure([&] {
        if (com::required(m_element).TestID() == kVentilatorTest)
            m_xmmaMaxMinAvg.UpdateValues(com::required(result).Measurement(m_selectedKey));
    });
    com::ignoreFailure([&] { m_xtgStatusBar->setStatus(com::required(result).Status()); });
}

void FZeltorTestGuide::ClearFailedResults()
{
    com::ignoreFailure([&] { m_xrvResult.ClearAllFailed(); });
}

void FZeltorTestGuide::RemoveResultItem(const QString& key)
{
    com::ignoreFailure([&] { m_xrvResult.RemoveItem(key); });
}

void FZeltorTestGuide::setToolbarButtonEnabled(const QString& key, bool enabled)
{
    m_tbrPerform.setCommandEnabled(key, enabled);
}

void FZeltorTestGuide::PerformAction(const QString& key)
{
    using Command = void (*)(FZeltorTestGuide&);
    static const std::array<std::pair<const char*, Command>, 9> kCommands{{
        {"play",
         [](FZeltorTestGuide& form) {
             // A start that is under way has disabled "play": a second one starts nothing.
             if (!form.m_tbrPerform.commandEnabled(QStringLiteral("play")))
                 return;
             form.m_tbrPerform.setCommandEnabled(QStringLiteral("play"), false);
             form.m_tbrPerform.setCommandEnabled(QStringLiteral("fullscreen"), true);
             com::ignoreFailure([&] { form.EnableNavigation(false); });
             if (form.m_running)
                 return;
             form.m_tbrPerform.setCommandEnabled(QStringLiteral("reset"), true);
             com::ignoreFailure([&] { form.m_xtgStatusBar->setStatus(0); });
             form.raiseEvent(&ITestGuideEvents::StartTest);
         }},
        {"stop",
         [](FZeltorTestGuide& form) {
             if (form.m_running)
                 form.raiseEvent(&ITestGuideEvents::StopTest);
         }},
        {"abort",
         [](FZeltorTestGuide& form) {
             bool confirmed = false;
             com::ignoreFailure([&] { confirmed = Nelvar::testGuideServices().ConfirmAbort(); });
             if (!confirmed)
                 return;
             com::ignoreFailure([&] { com::required(form.m_clock).setEnabled(false); });
             form.raiseEvent(&ITestGuideEvents::AbortTest);
         }},
        {"prev", [](FZeltorTestGuide& form) { form.raiseEvent(&ITestGuideEvents::Previous); }},
        {"next", [](FZeltorTestGuide& form) { form.raiseEvent(&ITestGuideEvents::NextTest); }},
        {"na",
         [](FZeltorTestGuide& form) {
             if (form.ConfirmDiscardData())
                 form.raiseEvent(&ITestGuideEvents::NA);
         }},
        {"skip",
         [](FZeltorTestGuide& form) {
             if (form.ConfirmDiscardData())
                 form.raiseEvent(&ITestGuideEvents::Skip);
         }},
        {"fullscreen", [](FZeltorTestGuide& form) { form.setDisplayMode(edmFullscreen); }},
        {"reset", [](FZeltorTestGuide& form) { form.raiseEvent(&ITestGuideEvents::ResetCalculations); }},
    }};
    for (const auto& [name, command] : kCommands)
        if (key == QLatin1String(name)) {
            command(*this);
            return;
        }
}

bool FZeltorTestGuide::ConfirmDiscardData() const
{
    const auto result = ventilatorResult();
    if (!result)
        return true;
    bool holdsData = false;
    com::ignoreFailure([&] { holdsData = com::required(result->Trends()).Count() >= 1; });
    com::ignoreFailure([&] { holdsData = holdsData || com::required(result->Snapshots()).Count() >= 1; });
    if (!holdsData)
        return true;
    // A question that cannot be asked counts as No: the data stays.
    events::MessageAnswer answer = events::mbrNo;
    com::ignoreFailure([&] {
        auto& language = Nelvar::languageService();
        answer = events::MessageBoxes::current().show(
            language.GetText(Zeltor::kProduct,
                             QStringLiteral("20168::Your results structure contains snapshot and/or trend data.\r\nIf "
                                            "you choose to proceed, this data will be lost.\r\n\r\nAre you sure?")),
            events::mbYesNo | events::mbExclamation,
            language.GetText(Zeltor::kProduct, QStringLiteral("20526::Please confirm")));
    });
    return answer != events::mbrNo;
}

QString FZeltorTestGuide::shortcutCommand(int key, Qt::KeyboardModifiers modifiers) const
{
    const auto whileEnabled = [this](const char* command) {
        const QString name = QString::fromLatin1(command);
        return m_tbrPerform.commandEnabled(name) ? name : QString();
    };
    // Only the exact combinations are shortcuts; a key of the numeric keypad counts as its key.
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_N: return whileEnabled("next");
        case Qt::Key_B: return whileEnabled("prev");
        case Qt::Key_K: return whileEnabled("skip");
        case Qt::Key_A: return whileEnabled("na");
        case Qt::Key_E: return QStringLiteral("stop");
        default: return {};
        }
    }
    if (modifiers != Qt::NoModifier)
        return {};
    switch (key) {
    case Qt::Key_F9:
        if (m_running)
            return QStringLiteral("stop");
        // While a start waits for the instrument neither "next" nor "play" is enabled.
        return resultStatus() != 0 ? whileEnabled("next") : whileEnabled("play");
    case Qt::Key_Escape: return QStringLiteral("abort");
    default: return {};
    }
}

bool FZeltorTestGuide::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_displayMode != edmNormal)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    QString command;
    com::ignoreFailure([&] { command = shortcutCommand(keyEvent->key(), keyEvent->modifiers()); });
    if (command.isEmpty())
        return false;
    com::ignoreFailure([&] { PerformAction(command); });
    return true;
}

void FZeltorTestGuide::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_displayMode == edmNormal)
        layoutControls();
}

void FZeltorTestGuide::closeEvent(QCloseEvent* event)
{
    event->ignore();
    PerformAction(QStringLiteral("abort"));
}

void FZeltorTestGuide::layoutControls()
{
    const int toolbarHeight = m_tbrPerform.sizeHint().height();
    const int width = this->width();
    const int wizardHeight = height() - toolbarHeight;
    m_xtgWizard->setGeometry(0, 0, width, wizardHeight);
    m_tbrPerform.setGeometry(0, wizardHeight, width, toolbarHeight);
    m_xtgStatusBar->setGeometry(widgets::twipsToPixels(kStatusBarLeft), widgets::twipsToPixels(kStatusBarTop),
                                width - widgets::twipsToPixels(kStatusBarRightMargin),
                                toolbarHeight - widgets::twipsToPixels(kStatusBarHeightMargin));
    m_xpsProgress->setGeometry(width - kSphereSize - 4, 4, kSphereSize, kSphereSize);
    m_xpsProgress->raise();
}

void FZeltorTestGuide::onSelectionChange(const QString& key)
{
    com::ignoreFailure([&] {
        if (com::required(m_element).TestID() != kVentilatorTest)
            return;
        const auto measurement = com::required(m_element->Result()).Measurement(key);
        m_xmmaMaxMinAvg.setTitle(com::required(measurement).Description());
        m_selectedKey = key;
        m_xmmaMaxMinAvg.UpdateValues(measurement);
    });
}

void FZeltorTestGuide::onStandardSelected(const QString& name, const QString& completeName)
{
    com::ignoreFailure([&] {
        const auto limits = com::required(m_element).Limits();
        const auto standard = com::required(com::required(limits).Standards()).Item(0, name, completeName);
        m_xfvFullscreen.SelectStandard(standard);
    });
    com::ignoreFailure([&] { m_xtgStatusBar->SetStandard(name, completeName); });
}

void FZeltorTestGuide::setDisplayMode(int32_t mode)
{
    if (mode == m_displayMode || (mode != edmFullscreen && mode != edmNormal))
        return;
    m_displayMode = mode;
    if (mode == edmFullscreen) {
        m_normalRect = geometry();
        setWindowTitle(QString());
        m_xfvFullscreen.raise();
        m_xfvFullscreen.show();
        com::ignoreFailure([&] {
            if (const QScreen* shown = screen())
                setGeometry(shown->geometry());
        });
        m_xfvFullscreen.setGeometry(0, 0, width(), height());
        com::ignoreFailure([&] { m_xpsProgress->Stop(); });
        m_xfvFullscreen.setFocus();
        return;
    }
    com::ignoreFailure([&] { setWindowTitle(Nelvar::testGuideServices().GetWindowTitle(m_element)); });
    if (m_running)
        com::ignoreFailure([&] { m_xpsProgress->Start(); });
    setGeometry(m_normalRect);
    m_xfvFullscreen.hide();
    layoutControls();
    // Results are not shown while the view covers the window; this catches up.
    com::ignoreFailure([&] {
        if (const auto result = ventilatorResult())
            UpdateResults(result);
    });
}

void FZeltorTestGuide::onCreateSnapshot(int32_t currentX)
{
    com::ignoreFailure([&] {
        CResultVentilator& result = com::required(ventilatorResult());
        result.TakeSnapshot(currentX);
        m_xfvFullscreen.AddSnapshot(com::required(result.Snapshots()).LastSnapshot());
        m_xfvFullscreen.UpdateWaveformReferences(result.WaveformData());
    });
}

std::shared_ptr<CResultVentilator> FZeltorTestGuide::ventilatorResult() const
{
    std::shared_ptr<CResultVentilator> result;
    com::ignoreFailure([&] {
        if (com::required(m_element).TestID() == kVentilatorTest)
            result = std::dynamic_pointer_cast<CResultVentilator>(m_element->Result());
    });
    return result;
}

void FZeltorTestGuide::onWizardChange()
{
    com::ignoreFailure([&] { m_xtgStatusBar->setCommentFlag(com::required(com::required(m_element).Result()).Comment().size() >= 1); });
}

int32_t FZeltorTestGuide::resultStatus() const
{
    int32_t status = 0;
    com::ignoreFailure([&] { status = com::required(com::required(m_element).Result()).Status(); });
    return status;
}

} // namespace ZeltorTests
