#include "LimitRow.h"

#include "standards/Limit.h"

#include "Standards.h"

#include "com/Failure.h"

#include <QGridLayout>
#include <QLocale>

#include <cmath>
#include <optional>

namespace host {

namespace {

QString valueText(float value)
{
    return QLocale::c().toString(static_cast<double>(value), 'g', 7);
}

// A bound value typed by the user: a finite number that a limit can hold.
std::optional<float> typedValue(const QString& text)
{
    bool isNumber = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &isNumber);
    if (!isNumber || !std::isfinite(static_cast<float>(value)))
        return std::nullopt;
    return static_cast<float>(value);
}

} // namespace

LimitRow::LimitRow(LimitRowSpec spec, QGridLayout& grid, int gridRow, Listeners listeners)
    : m_spec(std::move(spec))
    , m_listeners(std::move(listeners))
{
    m_caption.setText(m_spec.caption.isEmpty() ? m_spec.key : m_spec.caption);
    m_caption.setObjectName(m_spec.key + QStringLiteral(".caption"));
    const QString boundNames[] = {QStringLiteral(".upper"), QStringLiteral(".lower")};
    grid.addWidget(&m_caption, gridRow, 0);
    for (size_t index = 0; index < m_bounds.size(); ++index) {
        BoundEditors& bound = m_bounds[index];
        bound.enabled.setObjectName(m_spec.key + boundNames[index] + QStringLiteral("Enabled"));
        bound.value.setObjectName(m_spec.key + boundNames[index]);
        const int column = 1 + 2 * static_cast<int>(index);
        grid.addWidget(&bound.enabled, gridRow, column);
        grid.addWidget(&bound.value, gridRow, column + 1);
        // Only the user's clicks and typing are edits: showing a limit sets the editors quietly.
        QObject::connect(&bound.enabled, &QCheckBox::clicked, &bound.enabled,
                         [this, index](bool enabled) { enabledClicked(index, enabled); });
        QObject::connect(&bound.value, &QLineEdit::editingFinished, &bound.value,
                         [this, index] { valueEdited(index); });
    }
    m_unit.setObjectName(m_spec.key + QStringLiteral(".unit"));
    grid.addWidget(&m_unit, gridRow, kColumnCount - 1);
    QObject::connect(&m_unit, &QComboBox::activated, &m_unit, [this](int position) { unitChosen(position); });
    show(nullptr);
}

void LimitRow::show(const std::shared_ptr<Nelvar::ILimit>& limit)
{
    m_limit = limit;
    m_editableBounds = std::dynamic_pointer_cast<Limit>(limit);
    showBounds();
    showUnit();
    updateInput();
}

void LimitRow::setLocked(bool locked)
{
    m_locked = locked;
    updateInput();
}

void LimitRow::showBounds()
{
    for (size_t index = 0; index < m_bounds.size(); ++index) {
        BoundEditors& bound = m_bounds[index];
        float value = 0.0f;
        bool enabled = false;
        const int32_t hostIndex = static_cast<int32_t>(index);
        const bool known = m_limit && com::ignoreFailure([&] {
            m_limit->Value(hostIndex, value);
            m_limit->Enabled(hostIndex, enabled);
        });
        bound.shownValue = known ? valueText(value) : QString();
        bound.value.setText(bound.shownValue);
        bound.enabled.setChecked(known && enabled);
    }
}

void LimitRow::showUnit()
{
    QString unit;
    if (m_limit)
        com::ignoreFailure([&] { unit = m_limit->Unit(); });
    m_unit.clear();
    m_unit.addItems(m_spec.units);
    // A unit outside the list is still shown as the limit's.
    if (!unit.isEmpty() && !m_spec.units.contains(unit))
        m_unit.addItem(unit);
    m_unit.setCurrentIndex(m_unit.findText(unit));
}

void LimitRow::updateInput()
{
    const bool open = m_limit && !m_locked;
    for (BoundEditors& bound : m_bounds) {
        bound.enabled.setEnabled(open && m_editableBounds);
        bound.value.setEnabled(open && m_editableBounds);
    }
    m_unit.setEnabled(open);
}

bool LimitRow::takesEdit() const
{
    return m_limit && !m_locked && m_listeners.acceptsEdits();
}

void LimitRow::enabledClicked(size_t index, bool enabled)
{
    if (!takesEdit() || !m_editableBounds) {
        showBounds();
        return;
    }
    m_editableBounds->setEnabled(static_cast<int32_t>(index), enabled);
    reportEdit();
}

void LimitRow::valueEdited(size_t index)
{
    BoundEditors& bound = m_bounds[index];
    if (bound.value.text() == bound.shownValue)
        return;
    const std::optional<float> value = typedValue(bound.value.text());
    // Input that is no number leaves the limit as it was and shows its value again.
    if (!value || !takesEdit() || !m_editableBounds) {
        bound.value.setText(bound.shownValue);
        return;
    }
    if (!com::ignoreFailure([&] { m_editableBounds->setValue(static_cast<int32_t>(index), *value); })) {
        bound.value.setText(bound.shownValue);
        return;
    }
    showBounds();
    reportEdit();
}

void LimitRow::unitChosen(int position)
{
    const QString unit = m_unit.itemText(position);
    QString current;
    if (m_limit)
        com::ignoreFailure([&] { current = m_limit->Unit(); });
    if (!takesEdit() || unit == current) {
        showUnit();
        return;
    }
    if (!com::ignoreFailure([&] { m_limit->setUnit(unit); })) {
        showUnit();
        return;
    }
    reportEdit();
}

// The last thing an edit does: the listener may fill the page anew.
void LimitRow::reportEdit()
{
    const auto limit = m_limit;
    com::ignoreFailure([&] { m_listeners.edited(limit); });
}

} // namespace host
