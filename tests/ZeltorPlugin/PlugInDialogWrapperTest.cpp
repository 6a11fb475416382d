#include "PlugInDialogWrapper.h"

#include "RecordingPage.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A callback that counts who listens to it.
class CountingCallBack final : public Nelvar::ICallBack, public Nelvar::CallBackPipe {
public:
    void RaiseEvent(const QString&, const std::vector<com::Value>&) override {}
    std::unique_ptr<Subscription> listen(ReceivedEvent) override
    {
        ++listeners;
        return std::make_unique<Subscription>();
    }
    int listeners = 0;
};

TEST(PlugInDialogWrapperTest, HandsTheCallBackToThePageWithoutListening)
{
    const RecordingPage::Registration registration;
    ZeltorPlugin::FDialogWrapper form;
    const auto page
        = std::dynamic_pointer_cast<RecordingPage>(form.CreateSetupCtrl(QString::fromLatin1(RecordingPage::className)));
    ASSERT_NE(page, nullptr);
    const auto callBack = std::make_shared<CountingCallBack>();
    form.setCallBack(callBack);
    EXPECT_EQ(page->CallBack(), callBack);
    EXPECT_EQ(callBack->listeners, 0);

    QWidget host;
    QWidget* const formWindow = page->parentWidget();
    form.Dock(&host);
    form.Unload();
    EXPECT_EQ(page->parentWidget(), formWindow);
    EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());
    form.Dock(&host);
    EXPECT_FALSE(form.IsDocked()) << "an unloaded form does nothing";
}

} // namespace
