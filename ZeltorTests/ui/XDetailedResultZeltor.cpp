#include "ui/XDetailedResultZeltor.h"

#include "TestElement.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "widgets/Twips.h"

#include <algorithm>

namespace ZeltorTests {

namespace {

constexpr int kCommentTop = 240;

} // namespace

XDetailedResultZeltor::XDetailedResultZeltor()
{
    setObjectName(QStringLiteral("XDetailedResultZeltor"));
    setViewOnly(true);
    lblCommentTitle.setObjectName(QStringLiteral("lblCommentTitle"));
    txtComment.setObjectName(QStringLiteral("txtComment"));
    lblCommentTitle.move(0, 0);
    Zeltor::translateControls(*this);
}

void XDetailedResultZeltor::Initialize(const com::Value& inData)
{
    com::ignoreFailure([&] {
        const auto result = inData.objectAs<Nelvar::IResultData>();
        txtComment.setComment(com::required(result).Comment());
    });
}

void XDetailedResultZeltor::SetFocus()
{
    com::ignoreFailure([&] { txtComment.setFocus(Qt::OtherFocusReason); });
}

void XDetailedResultZeltor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int top = widgets::twipsToPixels(kCommentTop);
    lblCommentTitle.resize(width(), lblCommentTitle.sizeHint().height());
    txtComment.setGeometry(0, top, width(), std::max(0, height() - top));
}

} // namespace ZeltorTests
