#include "RecordingPage.h"
#include "views/HostCallBack.h"

#include "com/Error.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A page with one box whose edits go through the page's edit connection with the given options.
// The box's text decides the handler's outcome: "fail" fails after writing, "refuse" takes no
// edit, any other text is taken.
class EditingPage final : public Zeltor::PageBase {
public:
    using PageBase::EditOptions;

    explicit EditingPage(EditOptions options)
    {
        connectEdit(
            &box, &QLineEdit::textChanged,
            [this](const QString& text) {
                written.append(text);
                if (text == QStringLiteral("fail"))
                    throw com::Error(com::errInvalidCall, QStringLiteral("EditingPage"), text);
                return text != QStringLiteral("refuse");
            },
            options);
        setCallBack(std::make_shared<host::HostCallBack>(
            [this](const QString& name, const std::vector<com::Value>&) { raised.append(name); }));
    }
    void Initialize(const com::Value&) override {}

    void fill(const QString& text)
    {
        const LoadingScope loading(*this);
        box.setText(text);
    }
    void makeViewOnly() { setViewOnly(true); }

    bool bound = true;
    QLineEdit box{this};
    QStringList written;
    QStringList raised;

private:
    bool isBound() const override { return bound; }
};

TEST(PageBaseTest, AnEditRunsItsHandlerAsTheGuardsAllowAndRaisesChangeOnceWhenItCompletes)
{
    using Options = EditingPage::EditOptions;
    const struct {
        const char* what;
        Options options;
        std::function<void(EditingPage&)> act;
        QStringList written;
        int changes;
    } cases[] = {
        {"a user's edit", {}, [](EditingPage& page) { page.box.setText(QStringLiteral("a")); }, {"a"}, 1},
        {"the page's own write", {}, [](EditingPage& page) { page.fill(QStringLiteral("a")); }, {}, 0},
        {"the page's own write, for a correction that holds while loading",
         {.whileLoading = true},
         [](EditingPage& page) { page.fill(QStringLiteral("a")); },
         {"a"},
         0},
        {"an unbound page",
         {.whileLoading = true},
         [](EditingPage& page) {
             page.bound = false;
             page.box.setText(QStringLiteral("a"));
         },
         {},
         0},
        {"a locked page",
         {},
         [](EditingPage& page) {
             page.setLocked(true);
             page.box.setText(QStringLiteral("a"));
         },
         {"a"},
         1},
        {"a locked page whose edit is not taken while locked",
         {.whileLocked = false},
         [](EditingPage& page) {
             page.setLocked(true);
             page.box.setText(QStringLiteral("a"));
         },
         {},
         0},
        {"a failing handler", {}, [](EditingPage& page) { page.box.setText(QStringLiteral("fail")); }, {"fail"}, 0},
        {"a handler that takes no edit",
         {},
         [](EditingPage& page) { page.box.setText(QStringLiteral("refuse")); },
         {"refuse"},
         0},
    };
    for (const auto& [what, options, act, written, changes] : cases) {
        SCOPED_TRACE(what);
        EditingPage page(options);
        EXPECT_NO_THROW(act(page));
        EXPECT_EQ(page.written, written);
        EXPECT_EQ(page.raised.size(), changes);
    }
}

TEST(PageBaseTest, AViewOnlyPageKeepsNoCallBackAndItsFixedLock)
{
    EditingPage page({});
    page.makeViewOnly();
    EXPECT_EQ(page.CallBack(), nullptr);
    page.setCallBack(std::make_shared<host::HostCallBack>([](const QString&, const std::vector<com::Value>&) {}));
    EXPECT_EQ(page.CallBack(), nullptr);
    page.setLocked(false);
    EXPECT_TRUE(page.Locked());
    page.box.setText(QStringLiteral("a"));
    EXPECT_TRUE(page.raised.isEmpty());
}

TEST(PageBaseTest, ReportsChangeOnlyWithACallBackAndNotWhileLoading)
{
    RecordingPage page;
    EXPECT_NO_THROW(page.edit()) << "no callback: nothing to tell";

    QStringList raised;
    page.setCallBack(
        std::make_shared<host::HostCallBack>([&](const QString& name, const std::vector<com::Value>& args) {
            raised.append(QStringLiteral("%1/%2").arg(name).arg(args.size()));
        }));
    page.edit();
    page.fill();
    EXPECT_EQ(raised, QStringList{QStringLiteral("Change/0")});
    page.edit();
    EXPECT_EQ(raised.size(), 2);
}

TEST(PageBaseTest, ALoadingScopeRestoresTheFlagItFound)
{
    RecordingPage page;
    {
        const auto outer = page.startLoading();
        {
            const auto inner = page.startLoading();
            EXPECT_TRUE(page.loading());
        }
        EXPECT_TRUE(page.loading()) << "the inner scope ends inside the outer one";
    }
    EXPECT_FALSE(page.loading());
}

TEST(PageBaseTest, ReactsToLockedOnlyWhenItChanges)
{
    RecordingPage page;
    for (const bool locked : {false, true, true, false, false, true})
        page.setLocked(locked);
    EXPECT_EQ(page.lockReactions, (QList<bool>{true, false, true}));
    EXPECT_TRUE(page.Locked());
}

TEST(PageBaseTest, ThePageIsItsWindowAndShowsWithinItsContainer)
{
    QWidget container;
    auto* page = new RecordingPage;
    page->setParent(&container);
    page->hide();
    EXPECT_EQ(page->hWnd(), page);
    EXPECT_FALSE(page->Visible());
    page->setVisible(true);
    EXPECT_TRUE(page->Visible()) << "the container itself is not shown";
    page->hide();
    EXPECT_FALSE(page->Visible());
}

TEST(PageBaseTest, SetFocusGoesToTheFirstControlThatTakesIt)
{
    RecordingPage page;
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(new QLabel(QStringLiteral("label")));
    auto* hiddenBox = new QLineEdit;
    layout->addWidget(hiddenBox);
    hiddenBox->hide();
    auto* box = new QLineEdit;
    layout->addWidget(box);
    page.SetFocus();
    EXPECT_EQ(page.focusWidget(), box);

    RecordingPage empty;
    empty.SetFocus();
    EXPECT_EQ(empty.focusWidget(), &empty);
}

} // namespace
