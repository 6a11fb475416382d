#pragma once

#include "HostViews.h"

#include <QLabel>
#include <QVBoxLayout>

namespace host {

// A page's help paragraph: the text, word-wrapped, on a framed panel.
class HelpText final : public Nelvar::XHelpText {
public:
    explicit HelpText(QWidget* parent = nullptr);

    QString Text() const override { return m_text.text(); }
    void setText(const QString& text) override { m_text.setText(text); }

private:
    QVBoxLayout m_layout{this};
    QLabel m_text;
};

} // namespace host
