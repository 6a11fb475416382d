#pragma once

class QToolBar;
class QWidget;

namespace ZeltorTests {

// Translates, for the product, the captions a form or control was designed with: the texts of its
// labels, buttons and frames, the texts of their actions and menus, and their tool tips. Captions
// are language keys ("230::Measurement") or plain English texts; what has no translation keeps
// its default text. A failing translation leaves that caption as it was.
void translateControls(QWidget& root);
// The tool tips and texts of a toolbar's buttons and of their drop-down menus.
void translateToolbar(QToolBar& toolbar);

} // namespace ZeltorTests
