#pragma once

#include <QLabel>
#include <QString>

#include <utility>

namespace Zeltor {

// A new control with its design-time name, by which the page's code and tests find it.
template <typename Widget, typename... Arguments>
Widget* named(const char* name, Arguments&&... arguments)
{
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A label with its caption (a language key, translated with the page) and its name.
inline QLabel* label(const char* caption, const char* name, QWidget* parent)
{
    return named<QLabel>(name, QString::fromUtf8(caption), parent);
}

} // namespace Zeltor
