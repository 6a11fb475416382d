#include "TranslateControls.h"

#include "HostServices.h"
#include "Product.h"

#include "com/Failure.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace Zeltor {

QString translated(const QString& caption)
{
    if (caption.isEmpty())
        return caption;
    QString text = caption;
    com::ignoreFailure([&] { text = Nelvar::languageService().GetText(Zeltor::kProduct, caption); });
    return text;
}

namespace {

void translateAction(QAction& action)
{
    if (!action.isSeparator())
        action.setText(translated(action.text()));
    action.setToolTip(translated(action.toolTip()));
    if (QMenu* menu = action.menu())
        for (QAction* entry : menu->actions())
            translateAction(*entry);
}

void translateWidget(QWidget& widget)
{
    if (auto* label = qobject_cast<QLabel*>(&widget))
        label->setText(translated(label->text()));
    else if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        button->setText(translated(button->text()));
    else if (auto* frame = qobject_cast<QGroupBox*>(&widget))
        frame->setTitle(translated(frame->title()));
    else if (auto* menu = qobject_cast<QMenu*>(&widget))
        for (QAction* entry : menu->actions())
            translateAction(*entry);
    widget.setToolTip(translated(widget.toolTip()));
}

} // namespace

void translateControls(QWidget& root)
{
    translateWidget(root);
    for (QWidget* child : root.findChildren<QWidget*>())
        if (!qobject_cast<QToolBar*>(child->parentWidget()))
            translateWidget(*child);
}

void translateToolbar(QToolBar& toolbar)
{
    for (QAction* action : toolbar.actions())
        translateAction(*action);
}

} // namespace Zeltor
