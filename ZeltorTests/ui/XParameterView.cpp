#include "ui/XParameterView.h"

#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace ZeltorTests {

namespace {

constexpr int kPositionRole = Qt::UserRole;
constexpr int32_t kBreathParameterKind = 1;

// Layout in twips: the label sits a little lower than the combo's top, the list ends above the
// combo with a gap.
constexpr int kLabelDrop = 60;
constexpr int kListGap = 180;
constexpr int kLabelGap = 60;

// The combo's entries; an entry's index is the EZeltorParameterView value it applies. The template
// view (epvTemplate) has no entry.
constexpr std::array<const char*, 8> kPredefinedViews{
    "20354::(all)",   "20355::Rate",     "20356::Time",             "20357::Volume",
    "20358::Flow",    "20359::Pressure", "20360::CPAP Measurements", "20361::Environment",
};

// Hides a widget for the length of a scope and shows it again however the scope ends.
class HiddenWhile {
public:
    explicit HiddenWhile(QWidget& widget) : m_widget(widget) { m_widget.hide(); }
    ~HiddenWhile() { m_widget.show(); }
    HiddenWhile(const HiddenWhile&) = delete;
    HiddenWhile& operator=(const HiddenWhile&) = delete;

private:
    QWidget& m_widget;
};

// Input that would open or move the combo; Tab and Backtab still move the focus on.
bool isUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<const QKeyEvent&>(event).key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

XParameterView::XParameterView(QWidget* parent) : QWidget(parent)
{
    m_lstParameterView.setObjectName(QStringLiteral("lstParameterView"));
    m_cboPredefinedViews.setObjectName(QStringLiteral("cboPredefinedViews"));
    m_lblPredefView.setObjectName(QStringLiteral("lblPredefView"));

    Zeltor::translateControls(*this);
    fillPredefinedViews();

    m_cboPredefinedViews.installEventFilter(this);
    // Only the user's choices apply a view; the combo's own index writes do not.
    connect(&m_cboPredefinedViews, &QComboBox::activated, this, &XParameterView::predefinedViewChosen);
    connect(m_lstParameterView.model(), &QAbstractItemModel::dataChanged, this, &XParameterView::entryDataChanged);
}

void XParameterView::fillPredefinedViews()
{
    const QSignalBlocker quiet(m_cboPredefinedViews);
    m_cboPredefinedViews.clear();
    for (const char* key : kPredefinedViews) {
        m_cboPredefinedViews.addItem(Zeltor::translated(QString::fromLatin1(key)));
    }
    m_cboPredefinedViews.setCurrentIndex(-1);
}

void XParameterView::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    m_lstParameterView.setEnabled(!locked);
    widgets::setBackgroundColor(m_lstParameterView, locked ? widgets::kSystemButtonFace : widgets::kSystemWindow);
}

void XParameterView::Initialize(const std::shared_ptr<CParameterList>& parameterList)
{
    com::ignoreFailure([&] {
        m_parameterList = parameterList;
        {
            const com::FlagGuard busy(m_busy);
            // Entries of a list bound before would stand for definitions of that list.
            m_lstParameterView.clear();
        }
        if (!m_parameterList) {
            hide();
            return;
        }
        fillEntries();
    });
}

void XParameterView::fillEntries()
{
    const com::FlagGuard busy(m_busy);
    const CParameterList& parameters = *m_parameterList;
    for (int32_t position = 1; position <= parameters.Count(false); ++position) {
        const CParameterDef& definition = *parameters.Item(position);
        if (definition.Kind() != kBreathParameterKind)
            continue;
        auto entry = std::make_unique<QListWidgetItem>(definition.Caption(true));
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(definition.Selected() ? Qt::Checked : Qt::Unchecked);
        entry->setData(kPositionRole, position);
        m_lstParameterView.addItem(entry.release());
    }
    m_lstParameterView.setCurrentRow(0);
}

void XParameterView::showSelection()
{
    const CParameterList& parameters = com::required(m_parameterList);
    for (int row = 0; row < m_lstParameterView.count(); ++row) {
        QListWidgetItem& entry = *m_lstParameterView.item(row);
        const bool selected = parameters.Item(entry.data(kPositionRole).toInt())->Selected();
        entry.setCheckState(selected ? Qt::Checked : Qt::Unchecked);
    }
}

void XParameterView::predefinedViewChosen(int view)
{
    if (m_busy)
        return;
    com::ignoreFailure([&] {
        {
            const com::FlagGuard busy(m_busy);
            const HiddenWhile hidden(m_lstParameterView);
            m_lstParameterView.setCurrentRow(0);
            com::required(m_parameterList).SetPredefinedView(view);
            showSelection();
            m_lstParameterView.setCurrentRow(0);
        }
        raiseChange();
    });
}

void XParameterView::entryDataChanged(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles)
{
    if (m_busy || !roles.contains(Qt::CheckStateRole))
        return;
    com::ignoreFailure([&] {
        for (int row = first.row(); row <= last.row(); ++row)
            entryCheckChanged(com::required(m_lstParameterView.item(row)));
    });
}

void XParameterView::entryCheckChanged(const QListWidgetItem& entry)
{
    CParameterDef& definition = *com::required(m_parameterList).Item(entry.data(kPositionRole).toInt());
    definition.setSelected(entry.checkState() == Qt::Checked);
    raiseChange();
}

void XParameterView::raiseChange() const
{
    if (m_change)
        m_change();
}

void XParameterView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int comboHeight = m_cboPredefinedViews.sizeHint().height();
    const int comboTop = height() - comboHeight;
    const int labelWidth = m_lblPredefView.sizeHint().width();
    m_lblPredefView.setGeometry(0, comboTop + widgets::twipsToPixels(kLabelDrop), labelWidth,
                                m_lblPredefView.sizeHint().height());
    const int comboLeft = labelWidth + widgets::twipsToPixels(kLabelGap);
    m_cboPredefinedViews.setGeometry(comboLeft, comboTop, std::max(0, width() - comboLeft), comboHeight);
    m_lstParameterView.setGeometry(0, 0, width(), std::max(0, comboTop - widgets::twipsToPixels(kListGap)));
}

bool XParameterView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_cboPredefinedViews && m_locked && isUserInput(*event))
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace ZeltorTests
