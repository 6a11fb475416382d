#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

namespace host {

// A new widget for a creatable class: the object is shared by its holders, while the window it is
// placed in becomes its Qt parent. Whichever goes first, the widget is deleted once: the last
// holder deletes it unless its parent window already did.
template <typename Widget>
std::shared_ptr<Widget> makeSharedWidget()
{
    auto widget = std::make_unique<Widget>();
    const QPointer<QWidget> alive(widget.get());
    return std::shared_ptr<Widget>(widget.release(), [alive](Widget*) { delete alive.data(); });
}

} // namespace host
