#pragma once

#include "ui/CommentBox.h"
#include "PageBase.h"

#include <QLabel>

namespace ZeltorTests {

// The page of a single-reading test's result (page class "ZeltorTests.XDetailedResultZeltor"): it
// shows the result's comment and nothing else. A view only: it keeps no callback, never changes
// the result, raises nothing and always reports itself locked.
class XDetailedResultZeltor final : public Zeltor::PageBase {
public:
    XDetailedResultZeltor();

    // Shows the comment of a result; anything else leaves the box as it is.
    void Initialize(const com::Value& inData) override;
    void SetFocus() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel lblCommentTitle{QStringLiteral("20386::Comment"), this};
    CommentBox txtComment{this};
};

} // namespace ZeltorTests
