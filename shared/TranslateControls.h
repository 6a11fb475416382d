#pragma once

#include <QString>

class QToolBar;
class QWidget;

namespace Zeltor {

// The caption's translation for the product; an empty caption, or one that cannot be
// translated, as it is.
QString translated(const QString& caption);

// Translates, for the product, the captions a form or control was designed with: the texts of its
// labels, buttons and frames, the texts of their actions and menus, and their tool tips. Captions
// are language keys ("230::Measurement") or plain English texts; what has no translation keeps
// its default text. A failing translation leaves that caption as it was.
void translateControls(QWidget& root);
// The tool tips and texts of a toolbar's buttons and of their drop-down menus.
void translateToolbar(QToolBar& toolbar);

} // namespace Zeltor
