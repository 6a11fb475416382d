#include "ui/XFullScreenMenuInfo.h"

#include "data/CTrend.h"
#include "data/CWaveformData.h"
#include "NamedControls.h"
#include "ui/SelectOnFocusBox.h"
#include "TranslateControls.h"

#include "GMiscConverters.h"
#include "GraphInterfaces.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "widgets/Colors.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

using ZeltorConverter::GMiscConverters::SecondsToTimeString;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

QString typeCaption(ZeltorGraph::EZeltorGraphType type)
{
    const QString details = Zeltor::translated(QStringLiteral("20384::Details"));
    switch (type) {
    case ZeltorGraph::egtTrendGraph:
        return Zeltor::translated(QStringLiteral("20510::Trend")) + QLatin1Char(' ') + details;
    case ZeltorGraph::egtSnapshotGraph:
        return Zeltor::translated(QStringLiteral("20555::Snapshot")) + QLatin1Char(' ') + details;
    default: return details;
    }
}

void setLook(QLineEdit& box, const QColor& background, const QColor& text)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    box.setPalette(palette);
}

} // namespace

XFullScreenMenuInfo::XFullScreenMenuInfo(QWidget* parent)
    : QWidget(parent), m_fraInformation(named<QGroupBox>("fraInformation", this)),
      m_txtTitle(named<QLineEdit>("txtTitle", m_fraInformation)),
      m_txtComment(named<SelectOnFocusBox>("txtComment", m_fraInformation)),
      m_txtStartTime(label("00:00:00", "txtStartTime", m_fraInformation)),
      m_txtEndTime(label("00:00:00", "txtEndTime", m_fraInformation)),
      m_lblInterval(label("20389::Interval:", "lblInterval", m_fraInformation)),
      m_txtInterval(label("15 seconds", "txtInterval", m_fraInformation)),
      m_lblSamples(label("20148::Samples:", "lblSamples", m_fraInformation)),
      m_txtSamples(label("", "txtSamples", m_fraInformation)),
      m_chkEdit(named<QCheckBox>("chkEdit", QStringLiteral("20390::&Edit"), m_fraInformation))
{
    setObjectName(QStringLiteral("XFullScreenMenuInfo"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_fraInformation);

    auto* grid = new QGridLayout(m_fraInformation);
    grid->addWidget(label("20385::Title:", "lblTitle", m_fraInformation), 0, 0);
    grid->addWidget(m_txtTitle, 0, 1);
    grid->addWidget(label("20386::Comment:", "lblComment", m_fraInformation), 1, 0);
    grid->addWidget(m_txtComment, 1, 1);
    grid->addWidget(label("20387::Start time:", "lblStartTime", m_fraInformation), 2, 0);
    grid->addWidget(m_txtStartTime, 2, 1);
    grid->addWidget(label("20545::Last sampling:", "lblEndTime", m_fraInformation), 3, 0);
    grid->addWidget(m_txtEndTime, 3, 1);
    grid->addWidget(m_lblInterval, 4, 0);
    grid->addWidget(m_txtInterval, 4, 1);
    grid->addWidget(m_lblSamples, 5, 0);
    grid->addWidget(m_txtSamples, 5, 1);
    grid->addWidget(m_chkEdit, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(7, 1);

    for (QLineEdit* box : {m_txtTitle, m_txtComment})
        box->installEventFilter(this);
    connect(m_chkEdit, &QCheckBox::toggled, this,
            [this](bool ticked) { com::ignoreFailure([&] { editSwitched(ticked); }); });

    Zeltor::translateControls(*this);
    setEditingLook(false);
}

void XFullScreenMenuInfo::SetEnabled(bool enabled)
{
    m_fraInformation->setEnabled(enabled);
}

void XFullScreenMenuInfo::UpdateLastSample()
{
    fillSampleFields();
}

void XFullScreenMenuInfo::BeginEdit()
{
    if (!isVisible())
        return;
    setEditingLook(true);
    m_txtTitle->setFocus();
    m_txtTitle->selectAll();
    m_chkEdit->setChecked(true);
}

void XFullScreenMenuInfo::Clear()
{
    // Let go of the item too: a record deleted meanwhile is neither refreshed nor edited.
    m_item.reset();
    setEditingLook(false);
    m_chkEdit->setChecked(false);
    // setText, unlike clear, leaves the boxes unedited, so leaving one stores nothing.
    for (QLineEdit* box : {m_txtTitle, m_txtComment})
        box->setText(QString());
    for (QLabel* field : {m_txtStartTime, m_txtEndTime, m_txtInterval})
        field->clear();
    m_txtInterval->hide();
    m_lblInterval->hide();
}

void XFullScreenMenuInfo::Show(std::shared_ptr<ZeltorGraph::IGraphDataParent>& item, int32_t bookmark)
{
    if (!item)
        return;
    m_item = item;
    com::ignoreFailure([&] {
        const ZeltorGraph::EZeltorGraphType type = m_item->ParentType();
        m_fraInformation->setTitle(typeCaption(type));
        m_chkEdit->setChecked(false);
        m_bookmark = bookmark;
        if (type == ZeltorGraph::egtTrendGraph)
            showTrend();
        else if (type == ZeltorGraph::egtSnapshotGraph)
            showSnapshot();
        m_fraInformation->setEnabled(true);
    });
    item = m_item;
}

void XFullScreenMenuInfo::showTrend()
{
    const CTrend& trend = com::required(std::dynamic_pointer_cast<CTrend>(m_item));
    fillSampleFields();
    // Writing the texts from code leaves them unedited.
    m_txtTitle->setText(trend.Title());
    m_txtComment->setText(trend.Comment());
    const int32_t interval = trend.Interval();
    m_txtInterval->setText(
        QString::number(interval) + QLatin1Char(' ')
        + Zeltor::translated(interval == 1 ? QStringLiteral("20542::Second") : QStringLiteral("20146::Seconds")));
    setSampleFieldsShown(true);
}

void XFullScreenMenuInfo::showSnapshot()
{
    const CWaveformData& snapshot = com::required(std::dynamic_pointer_cast<CWaveformData>(m_item));
    m_txtTitle->setText(snapshot.Title());
    m_txtComment->setText(snapshot.Comment());
    m_txtStartTime->setText(SecondsToTimeString(snapshot.StartTime()));
    m_txtEndTime->setText(SecondsToTimeString(snapshot.CreationTime()));
    setSampleFieldsShown(false);
}

void XFullScreenMenuInfo::fillSampleFields()
{
    const auto trend = std::dynamic_pointer_cast<CTrend>(m_item);
    if (!trend)
        return;
    if (!trend->BPMHasChanged()) {
        const QString notAvailable = Zeltor::translated(QStringLiteral("00000::NA"));
        for (QLabel* field : {m_txtStartTime, m_txtEndTime, m_txtSamples})
            field->setText(notAvailable);
        return;
    }
    // Each field on its own: an end time beyond the 32-bit range leaves the other two right.
    com::ignoreFailure([&] { m_txtStartTime->setText(SecondsToTimeString(trend->StartTime())); });
    com::ignoreFailure([&] { m_txtEndTime->setText(SecondsToTimeString(trend->EndTime())); });
    com::ignoreFailure([&] { m_txtSamples->setText(QString::number(trend->SampleCount())); });
}

void XFullScreenMenuInfo::setSampleFieldsShown(bool shown)
{
    for (QLabel* field : {m_txtInterval, m_lblInterval, m_lblSamples, m_txtSamples})
        field->setVisible(shown);
}

void XFullScreenMenuInfo::setEditingLook(bool editing)
{
    const QColor background = editing ? widgets::colorOf(kWhite) : palette().color(backgroundRole());
    const QColor text = widgets::colorOf(editing ? kBlack : kWhite);
    for (QLineEdit* box : {m_txtTitle, m_txtComment}) {
        box->setReadOnly(!editing);
        setLook(*box, background, text);
    }
}

void XFullScreenMenuInfo::editSwitched(bool ticked)
{
    if (ticked)
        BeginEdit();
    else
        setEditingLook(false);
}

bool XFullScreenMenuInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_txtTitle)
            com::ignoreFailure([&] { titleLeft(); });
        else if (watched == m_txtComment)
            com::ignoreFailure([&] { commentLeft(); });
    }
    return QWidget::eventFilter(watched, event);
}

// A box counts as edited from the user's first change after the panel last wrote it, until its
// text is stored, so leaving it again stores nothing more.
void XFullScreenMenuInfo::titleLeft()
{
    if (!m_txtTitle->isModified() || !m_item)
        return;
    m_txtTitle->setModified(false);
    const QString title = m_txtTitle->text();
    if (const auto trend = std::dynamic_pointer_cast<CTrend>(m_item))
        trend->setTitle(title);
    else
        com::required(std::dynamic_pointer_cast<CWaveformData>(m_item)).setTitle(title);
    emit TitleChanged(m_bookmark, title);
}

void XFullScreenMenuInfo::commentLeft()
{
    if (!m_txtComment->isModified() || !m_item)
        return;
    m_txtComment->setModified(false);
    const QString comment = m_txtComment->text();
    if (const auto trend = std::dynamic_pointer_cast<CTrend>(m_item))
        trend->setComment(comment);
    else
        com::required(std::dynamic_pointer_cast<CWaveformData>(m_item)).setComment(comment);
}

} // namespace ZeltorTests
