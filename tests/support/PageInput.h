#pragma once

#include "Dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

// What the page tests do as the user and as the host: find a control by its name, type over a
// box's text, tick a check box, and count the "Change" events a page raises through its callback.

// The control of that name and class inside `parent`; raises std::runtime_error with the name
// when there is none, so a test of a renamed control fails instead of crashing.
template <typename Widget = QWidget>
Widget& child(const QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::runtime_error(name);
    return *widget;
}

// The user selects the box's whole text and types over it.
inline void typeInto(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
}

// A click on the check box's mark (a click far right of its text misses the box).
inline void tick(QCheckBox& box) { QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2)); }

// The host's callback as a page sees it; every event must be a "Change" without arguments.
class CountingCallBack final : public Nelvar::ICallBack {
public:
    void RaiseEvent(const QString& eventName, const std::vector<com::Value>& args) override
    {
        EXPECT_EQ(eventName, QStringLiteral("Change"));
        EXPECT_TRUE(args.empty());
        ++changes;
    }
    int changes = 0;
};
