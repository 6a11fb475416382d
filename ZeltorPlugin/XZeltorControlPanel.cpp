#include "XZeltorControlPanel.h"

#include "CZeltorControlPanel.h"
#include "InstrumentSession.h"

#include "CParameterView.h"
#include "CZeltorVTI.h"

#include "ParameterKeys.h"
#include "NamedControls.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "events/EventLoop.h"
#include "events/MessageBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace ZeltorPlugin {

namespace {

using Zeltor::named;

using ZeltorVTI::CParameterView;

const QString kTitle = QStringLiteral("Nelvar Zeltor Plug-in");
const QString kEmptySlot = QStringLiteral("[Empty]");
const QString kClearAll = QStringLiteral("Clear all");
const QString kSelectAll = QStringLiteral("Select all");
const QString kFirmwareCaption = QStringLiteral("Firmware revision:   ");
// What the firmware label shows until an instrument has told its version.
const QString kDefaultFirmware = QStringLiteral("2.01");
const QString kSettingsUnread = QStringLiteral(
    "The instrument's operator, establishment and serial number could not be read. Check that the Zeltor is "
    "connected and turned on, then show this tab again.");

constexpr int kSettingsTab = 0;
constexpr int kViewsTab = 1;

constexpr int kOperatorLength = 20;
constexpr int kEstablishmentLength = 20;
constexpr int kSerialNumberLength = 12;
constexpr int kDescriptionLength = 39;

// A parameter a view can show: its item's caption, its key and the view's flag for it.
struct ViewParameter {
    const char* caption;
    const QString& key;
    CParameterView::Selection flag;
};

// The parameter list's items in list order.
const std::array<ViewParameter, CParameterView::SelectionCount>& viewParameters()
{
    using namespace Zeltor::Keys;
    static const std::array<ViewParameter, CParameterView::SelectionCount> parameters{{
        {"20600::Breath rate", BRRA, CParameterView::BreathRateSel},
        {"20601::Tidal volume", TIVO, CParameterView::TidalVolumeSel},
        {"20602::Inspiratory peak flow", INPF, CParameterView::InspiratoryPeakFlowSel},
        {"20603::Inspiratory peak pressure", INPP, CParameterView::InspiratoryPeakPressureSel},
        {"20604::Peep pressure", PEPR, CParameterView::PeepPressureSel},
        {"20605::Mean inspiratory pressure", MEIP, CParameterView::MeanInspiratoryPressureSel},
        {"20606::Minute volume", MIVO, CParameterView::MinuteVolumeSel},
        {"20607::I/E Ratio", IERA, CParameterView::IERatioSel},
        {"20608::Inspiratory hold", INHO, CParameterView::InspiratoryHoldSel},
        {"20609::Inspiration period", INPE, CParameterView::InspirationPeriodSel},
        {"20610::Expiration period", EXPE, CParameterView::ExpirationPeriodSel},
        {"20611::Expiratory peak flow", EXPF, CParameterView::ExpiratoryPeakflowSel},
        {"20612::Temperature", TEMP, CParameterView::TemperatureSel},
        {"20613::Oxygen level", OXLE, CParameterView::OxygenLevelSel},
        {"20614::Mean expiratory pressure", MEEP, CParameterView::MeanExpiratoryPressureSel},
    }};
    return parameters;
}

QLineEdit* textBox(const char* name, int maxLength, QWidget* parent)
{
    auto* box = named<QLineEdit>(name, parent);
    box->setMaxLength(maxLength);
    return box;
}

void setAllChecks(QListWidget& list, Qt::CheckState state)
{
    for (int row = 0; row < list.count(); ++row)
        list.item(row)->setCheckState(state);
}

// What the instrument holds: operator, establishment, serial number and firmware version.
using InstrumentSettings = std::array<QString, 4>;

// The instrument's settings; none when no instrument answers, or when the one on the connection
// a test holds is measuring and answers no commands.
std::optional<InstrumentSettings> instrumentSettings(InstrumentSession& session)
{
    std::optional<InstrumentSettings> read;
    com::ignoreFailure([&] {
        ZeltorVTI::CZeltorVTI& vti = session.vti();
        if (vti.ConnectionState() != ZeltorVTI::evtiIdle)
            return;
        const com::Value settings = vti.GetMTISettings();
        InstrumentSettings fields;
        for (size_t index = 0; index < fields.size(); ++index)
            fields[index] = settings.at(static_cast<int32_t>(index)).toString();
        read = fields;
    });
    return read;
}

} // namespace

// Locks the page against input while an instrument call waits: the connection keeps the window
// messages flowing meanwhile, and a second command sent then would take the first one's reply.
// The host may release the page meanwhile; a released page is left alone.
class XZeltorControlPanel::BusyScope {
public:
    explicit BusyScope(XZeltorControlPanel& page)
        : m_page(&page), m_focus(focusWithin(page)), m_wasDisabled(page.testAttribute(Qt::WA_ForceDisabled))
    {
        m_page->m_busy = true;
        m_page->setEnabled(false);
        m_page->setCursor(Qt::WaitCursor);
    }
    ~BusyScope()
    {
        if (!m_page)
            return;
        m_page->unsetCursor();
        m_page->setEnabled(!m_wasDisabled);
        m_page->m_busy = false;
        // Disabling the page took the focus away; the control that had it gets it back.
        if (m_focus && m_focus->isEnabled() && m_focus->isVisible())
            m_focus->setFocus(Qt::OtherFocusReason);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    static QWidget* focusWithin(const QWidget& page)
    {
        QWidget* const focus = QApplication::focusWidget();
        return focus && page.isAncestorOf(focus) ? focus : nullptr;
    }

    const QPointer<XZeltorControlPanel> m_page;
    const QPointer<QWidget> m_focus;
    const bool m_wasDisabled;
};

XZeltorControlPanel::XZeltorControlPanel()
    : m_tabs(*this, {"20150::&MTI Settings", "20153::&Parameter views"}, QStringLiteral("pboTab(%1)"))
{
    const LoadingScope loading(*this);
    setObjectName(QStringLiteral("XZeltorControlPanel"));
    setViewOnly(false);
    buildSettingsTab(m_tabs.container(kSettingsTab));
    buildViewsTab(m_tabs.container(kViewsTab));

    Zeltor::translateControls(*this);
    for (const ViewParameter& parameter : viewParameters()) {
        auto* item = new QListWidgetItem(Zeltor::translated(QString::fromUtf8(parameter.caption)), m_includedItems);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // The parameter list keeps room for its longest caption beside a vertical scroll bar.
    m_includedItems->setMinimumWidth(m_includedItems->sizeHintForColumn(0) + 2 * m_includedItems->frameWidth()
                                     + m_includedItems->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // A test may hold the connection already: its instrument's version is known from the start.
    com::ignoreFailure([&] { showFirmwareVersion(InstrumentSession::connectedFirmwareVersion()); });
    connectControls();
    resize(460, 400);
}

XZeltorControlPanel::~XZeltorControlPanel() = default;

void XZeltorControlPanel::buildSettingsTab(QWidget& container)
{
    auto* layout = new QVBoxLayout(&container);
    auto* frame = named<QGroupBox>("Frame1", &container);
    m_settingsFrame = frame;
    // Nothing is edited before the boxes show what the instrument holds.
    frame->setEnabled(false);
    auto* grid = new QGridLayout(frame);
    m_operator = textBox("txtOperator", kOperatorLength, frame);
    m_establishment = textBox("txtEstablishment", kEstablishmentLength, frame);
    m_serialNumber = textBox("txtSerialNumber", kSerialNumberLength, frame);
    const struct {
        const char* labelName;
        const char* caption;
        QLineEdit* box;
    } rows[] = {{"Label16", "20159::Operator:", m_operator},
                {"Label15", "20160::Establishment:", m_establishment},
                {"Label14", "20161::Serial number:", m_serialNumber}};
    for (const auto& [labelName, caption, box] : rows) {
        const int row = grid->rowCount();
        grid->addWidget(Zeltor::label(caption, labelName, frame), row, 0);
        grid->addWidget(box, row, 1);
    }
    m_firmwareRevision = named<QLabel>("lblFirmwareRevision", kFirmwareCaption + kDefaultFirmware, frame);
    grid->addWidget(m_firmwareRevision, grid->rowCount(), 0, 1, 2);
    m_apply = named<QPushButton>("cmdApplySettings", QStringLiteral("&Apply"), frame);
    m_apply->setEnabled(false);
    grid->addWidget(m_apply, grid->rowCount(), 1, Qt::AlignRight);
    layout->addWidget(frame);
    m_settingsNotice = named<QLabel>("lblSettingsNotice", kSettingsUnread, &container);
    m_settingsNotice->setWordWrap(true);
    m_settingsNotice->hide();
    layout->addWidget(m_settingsNotice);
    layout->addStretch(1);
}

void XZeltorControlPanel::buildViewsTab(QWidget& container)
{
    auto* layout = new QHBoxLayout(&container);

    auto* current = named<QGroupBox>("Frame3", QStringLiteral("20154::Configure current view"), &container);
    auto* currentLayout = new QVBoxLayout(current);
    m_includedItems = named<QListWidget>("lvwIncludedItems", current);
    m_all = named<QPushButton>("cmdAll", QStringLiteral("20158::&Select all"), current);
    currentLayout->addWidget(m_includedItems, 1);
    currentLayout->addWidget(m_all, 0, Qt::AlignLeft);

    auto* views = named<QGroupBox>("Frame2", QStringLiteral("20153::Upload/Download views"), &container);
    auto* viewsLayout = new QGridLayout(views);
    m_slots = named<QTreeWidget>("lvwSlotInfo", views);
    m_slots->setColumnCount(2);
    m_slots->setHeaderLabels({QStringLiteral("Slot #"), QStringLiteral("Description")});
    m_slots->setRootIsDecorated(false);
    m_slots->setSelectionMode(QAbstractItemView::SingleSelection);
    m_slots->setAllColumnsShowFocus(true);
    m_slots->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_description = textBox("txtDescription", kDescriptionLength, views);
    m_upload = named<QPushButton>("cmdUploadParameterView", QStringLiteral("20156::&Upload"), views);
    m_upload->setEnabled(false);
    m_delete = named<QPushButton>("cmdDeleteParameterView", QStringLiteral("20157::Delete"), views);
    m_delete->setEnabled(false);
    viewsLayout->addWidget(m_slots, 0, 0, 1, 3);
    viewsLayout->addWidget(Zeltor::label("20155::Description:", "Label2", views), 1, 0);
    viewsLayout->addWidget(m_description, 1, 1, 1, 2);
    viewsLayout->addWidget(m_upload, 2, 1);
    viewsLayout->addWidget(m_delete, 2, 2);

    layout->addWidget(current, 2);
    layout->addWidget(views, 3);
}

void XZeltorControlPanel::connectControls()
{
    connect(&m_tabs.strip(), &QTabBar::currentChanged, this, [this](int tab) { readInstrumentFor(tab); });
    connect(m_all, &QPushButton::clicked, this, [this] {
        if (!m_busy)
            com::ignoreFailure([&] { toggleAllParameters(); });
    });
    // A slot is chosen by a click on it, the one chosen before included, and by a selection the
    // keyboard makes; the focus alone chooses none.
    connect(m_slots, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (const QList<QTreeWidgetItem*> selected = m_slots->selectedItems(); selected.size() == 1)
            requestSlotChoice(m_slots->indexOfTopLevelItem(selected.front()));
    });
    connect(m_slots, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        requestSlotChoice(m_slots->indexOfTopLevelItem(item));
    });
    connect(m_description, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_upload->setEnabled(!text.isEmpty()); });
    connect(m_upload, &QPushButton::clicked, this, [this] { upload(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteChosenSlot(); });
    for (QLineEdit* box : {m_operator, m_establishment, m_serialNumber})
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (!isLoading())
                m_apply->setEnabled(true);
        });
    connect(m_apply, &QPushButton::clicked, this, [this] { applySettings(); });
}

void XZeltorControlPanel::Initialize(const com::Value& inData)
{
    com::ignoreFailure([&] {
        if (auto owner = inData.objectAs<CZeltorControlPanel>())
            m_owner = std::move(owner);
    });
}

void XZeltorControlPanel::SetFocus()
{
    m_operator->setFocus(Qt::OtherFocusReason);
}

template <typename Action>
void XZeltorControlPanel::instrumentAction(Action&& action)
{
    if (m_busy)
        return;
    const QPointer<XZeltorControlPanel> page(this);
    const BusyScope busy(*this);
    InstrumentSession session;
    // The connection is opened before the action reads anything of the page: opening waits for
    // the instrument, and the host may release the page meanwhile. A failed opening is remembered
    // by the session; the action's calls then fail at once.
    com::ignoreFailure([&] { session.vti(); });
    if (page)
        com::ignoreFailure([&] { action(session); });
    if (page)
        com::ignoreFailure([&] { showFirmwareVersion(session.firmwareVersion()); });
}

void XZeltorControlPanel::showFirmwareVersion(const QString& version)
{
    if (!version.isEmpty())
        m_firmwareRevision->setText(kFirmwareCaption + version);
}

void XZeltorControlPanel::requestSlotChoice(int row)
{
    if (isLoading() || m_busy || row < 0)
        return;
    const bool scheduled = m_requestedSlotRow >= 0;
    m_requestedSlotRow = row;
    if (scheduled)
        return;
    afterInput([this] {
        const int requested = std::exchange(m_requestedSlotRow, -1);
        const QTreeWidgetItem* const chosen = m_slots->topLevelItem(requested);
        // A choice overtaken by a refill of the list, or made while a call waits, is dropped.
        if (!m_busy && chosen && chosen->isSelected())
            slotChosen(requested + 1, chosen->text(1));
    });
}

template <typename Step>
void XZeltorControlPanel::afterInput(Step&& step)
{
    events::EventLoop::current().callLater(0, [page = QPointer<XZeltorControlPanel>(this),
                                               step = std::forward<Step>(step)]() mutable {
        if (page)
            step();
    });
}

void XZeltorControlPanel::showEvent(QShowEvent* event)
{
    PageBase::showEvent(event);
    if (!event->spontaneous())
        readInstrumentFor(m_tabs.strip().currentIndex());
}

void XZeltorControlPanel::readInstrumentFor(int tab)
{
    if (tab == kSettingsTab && !m_settingsRead)
        afterInput([this] {
            // Not read for a tab the user has left meanwhile.
            if (!m_settingsRead && m_tabs.container(kSettingsTab).isVisible())
                instrumentAction([&](InstrumentSession& session) { readSettings(session); });
        });
    if (tab == kViewsTab && !m_slotsListed)
        afterInput([this] {
            if (!m_slotsListed)
                instrumentAction([&](InstrumentSession& session) { refreshSlotList(session); });
        });
}

void XZeltorControlPanel::readSettings(InstrumentSession& session)
{
    const QPointer<XZeltorControlPanel> page(this);
    const std::optional<InstrumentSettings> settings = instrumentSettings(session);
    if (!page)
        return;
    m_settingsRead = settings.has_value();
    m_settingsFrame->setVisible(m_settingsRead);
    m_settingsFrame->setEnabled(m_settingsRead);
    m_settingsNotice->setVisible(!m_settingsRead);
    if (!settings)
        return;
    const LoadingScope loading(*this);
    const auto& [operatorName, establishment, serialNumber, firmwareVersion] = *settings;
    m_operator->setText(operatorName);
    m_establishment->setText(establishment);
    m_serialNumber->setText(serialNumber);
    showFirmwareVersion(firmwareVersion);
}

void XZeltorControlPanel::toggleAllParameters()
{
    const bool tick = m_all->text() != kClearAll;
    m_all->setText(tick ? kClearAll : kSelectAll);
    setAllChecks(*m_includedItems, tick ? Qt::Checked : Qt::Unchecked);
}

void XZeltorControlPanel::refreshSlotList(InstrumentSession& session)
{
    const QPointer<XZeltorControlPanel> page(this);
    const bool listed = com::untilFirstFailure([&] {
        const com::Value list = session.vti().GetParameterViewList();
        if (!page)
            return;
        m_slotsListed = true;
        const LoadingScope loading(*this);
        m_slots->clear();
        m_delete->setEnabled(false);
        if (list.isEmpty())
            return;
        const com::ValueArray& descriptions = list.array();
        for (size_t index = 0; index < descriptions.items.size(); ++index) {
            const QString description = descriptions.items[index].toString();
            new QTreeWidgetItem(m_slots, {QString::number(index + 1), description.isEmpty() ? kEmptySlot : description});
        }
    });
    if (!listed && page)
        events::MessageBoxes::current().show(QStringLiteral("An error occured in cmdUpdateParameterViewList !"),
                                             events::mbCritical, kTitle);
}

void XZeltorControlPanel::slotChosen(int slot, const QString& listed)
{
    setAllChecks(*m_includedItems, Qt::Unchecked);
    if (listed == kEmptySlot) {
        m_delete->setEnabled(false);
        m_description->clear();
        return;
    }
    m_delete->setEnabled(true);
    m_description->setText(listed);
    instrumentAction([&](InstrumentSession& session) {
        const QPointer<XZeltorControlPanel> page(this);
        const com::Value view = session.vti().GetParameterView(slot);
        if (page)
            tickParametersOf(view);
    });
}

void XZeltorControlPanel::tickParametersOf(const com::Value& view)
{
    if (!view.isArray())
        return;
    const com::ValueArray& fields = view.array();
    for (size_t index = 2; index < fields.items.size(); ++index) {
        const QString key = fields.items[index].toString();
        const auto& parameters = viewParameters();
        for (size_t position = 0; position < parameters.size(); ++position)
            if (parameters[position].key == key)
                m_includedItems->item(static_cast<int>(position))->setCheckState(Qt::Checked);
    }
    if (fields.items.size() >= 2)
        m_description->setText(fields.items[1].toString());
}

void XZeltorControlPanel::upload()
{
    if (m_description->text().isEmpty()) {
        events::MessageBoxes::current().show(QStringLiteral("Please provide a description for this parameter view"),
                                             events::mbExclamation, kTitle);
        return;
    }
    instrumentAction([&](InstrumentSession& session) {
        const auto view = std::make_shared<CParameterView>();
        const auto& parameters = viewParameters();
        for (size_t position = 0; position < parameters.size(); ++position)
            view->setSelected(parameters[position].flag,
                              m_includedItems->item(static_cast<int>(position))->checkState() == Qt::Checked);
        view->setDescription(m_description->text());
        const QPointer<XZeltorControlPanel> page(this);
        com::ignoreFailure([&] { session.vti().UploadParameterView(view, false); });
        if (page)
            refreshSlotList(session);
    });
}

void XZeltorControlPanel::deleteChosenSlot()
{
    const QList<QTreeWidgetItem*> selected = m_slots->selectedItems();
    if (m_busy || selected.size() != 1)
        return;
    QTreeWidgetItem* const chosen = selected.front();
    const QString question =
        QStringLiteral("Are you sure you wish to delete the parameter view named '%1'?").arg(chosen->text(1));
    if (events::MessageBoxes::current().show(question, events::mbYesNo, kTitle) != events::mbrYes)
        return;
    const int slot = m_slots->indexOfTopLevelItem(chosen) + 1;
    instrumentAction([&](InstrumentSession& session) {
        const auto emptyView = std::make_shared<CParameterView>();
        emptyView->setSlotNumber(slot);
        const QPointer<XZeltorControlPanel> page(this);
        com::ignoreFailure([&] { session.vti().UploadParameterView(emptyView, true); });
        if (page)
            refreshSlotList(session);
        if (page)
            m_description->clear();
    });
}

void XZeltorControlPanel::applySettings()
{
    instrumentAction([&](InstrumentSession& session) {
        session.vti().ApplyMTISettings(m_operator->text(), m_establishment->text(), m_serialNumber->text());
    });
}

void XZeltorControlPanel::resizeEvent(QResizeEvent* event)
{
    PageBase::resizeEvent(event);
    com::ignoreFailure([&] {
        const QRect client = m_tabs.placeStrip(event->size());
        for (int tab = 0; tab < m_tabs.count(); ++tab)
            m_tabs.container(tab).setGeometry(client);
    });
}

} // namespace ZeltorPlugin
