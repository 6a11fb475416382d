// The host's instrument control panel window in the test's own process, with the plug-in's
// libraries registered, the simulated instrument on port "sim" and the virtual clock.

#include "ControlPanelWindow.h"
#include "HostPlugIn.h"
#include "PageInput.h"
#include "PlugInOnSimulatorFixture.h"
#include "views/DialogDock.h"

#include "PlugIn.h"

#include "SimulatorProgram.h"
#include "com/Error.h"
#include "events/QtEventLoop.h"
#include "serial/PortFinder.h"
#include "serial/SerialPortLink.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ControlPanelWindowTest : public PlugInOnSimulatorFixture {
protected:
    void SetUp() override
    {
        PlugInOnSimulatorFixture::SetUp();
        plugIn = startPlugIn();
    }
    void TearDown() override
    {
        plugIn.reset();
        PlugInOnSimulatorFixture::TearDown();
    }

    std::shared_ptr<Nelvar::IPlugIn> plugIn;
};

QStringList slotTexts(const QTreeWidget& slotList)
{
    QStringList lines;
    for (int row = 0; row < slotList.topLevelItemCount(); ++row)
        lines << slotList.topLevelItem(row)->text(0) + QLatin1Char(' ') + slotList.topLevelItem(row)->text(1);
    return lines;
}

// Sends the frames to the instrument on the device, one at a time, each after the reply to the one
// before; the replies' first fields, in order.
QStringList tellInstrument(const QString& device, const QList<QByteArray>& frames)
{
    QString why;
    const auto link = serial::SerialPortLink::open(device, serial::parseLineSettings("38400,O,8,1"), why);
    if (!link) {
        ADD_FAILURE() << why.toStdString();
        return {};
    }
    QStringList replies;
    for (const QByteArray& frame : frames) {
        link->Send(frame);
        if (!SimulatorProgram::pumpUntil([&] { return link->BufferCount() > 0; }))
            break;
        replies << QString::fromLatin1(link->Receive()).section(QLatin1Char(','), 0, 0).trimmed();
    }
    link->Close();
    return replies;
}

// A control panel whose page cannot be made.
class PagelessControlPanel final : public Nelvar::ISetup {
public:
    bool HasDialog() const override { return true; }
    QString Settings() const override { return {}; }
    void setSettings(const QString&) override {}
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override
    {
        throw com::Error(429, QStringLiteral("Test"), QStringLiteral("The page cannot be made"));
    }
    void RegLoad(int32_t, const QString&) override {}
    void RegSave(int32_t, const QString&) override {}
};

} // namespace

// Views uploaded in one window stay in the instrument: a window opened later on the same port
// lists them in the slots they took, the lowest empty ones, and the other slots as empty.
TEST_F(ControlPanelWindowTest, TheViewsTabListsTheViewsUploadedInAnEarlierWindow)
{
    {
        ControlPanelWindow window(plugIn->ControlPanel());
        window.show();
        ASSERT_TRUE(window.selectTab(1));
        loop->advance(1); // the page lists the slots once the tab switch is handled
        auto& parameters = child<QListWidget>(window, "lvwIncludedItems");
        for (const auto& [row, description] : {std::pair{0, "Rate"}, std::pair{1, "Volume"}}) {
            parameters.item(row)->setCheckState(Qt::Checked);
            typeInto(child<QLineEdit>(window, "txtDescription"), QString::fromLatin1(description));
            QTest::mouseClick(&child<QPushButton>(window, "cmdUploadParameterView"), Qt::LeftButton);
            parameters.item(row)->setCheckState(Qt::Unchecked);
        }
        EXPECT_TRUE(boxes->shown().empty()) << boxes->shown().front().text.toStdString();
        QTest::mouseClick(window.buttons().button(QDialogButtonBox::Close), Qt::LeftButton);
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }

    ControlPanelWindow window(plugIn->ControlPanel());
    window.show();
    ASSERT_TRUE(window.selectTab(1));
    loop->advance(1);
    auto& slotList = child<QTreeWidget>(window, "lvwSlotInfo");
    EXPECT_EQ(slotTexts(slotList),
              (QStringList{"1 Rate", "2 Volume", "3 [Empty]", "4 [Empty]", "5 [Empty]", "6 [Empty]", "7 [Empty]",
                           "8 [Empty]", "9 [Empty]"}));
    // The second slot's view shows the parameter it was uploaded with.
    slotList.setCurrentItem(slotList.topLevelItem(1));
    loop->advance(1);
    const auto& parameters = child<QListWidget>(window, "lvwIncludedItems");
    EXPECT_EQ(parameters.item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(parameters.item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(boxes->shown().empty()) << boxes->shown().front().text.toStdString();
}

// A plug-in without a control panel, or one whose page cannot be made: the window says so in the
// page's place and still closes with its button.
TEST_F(ControlPanelWindowTest, AMissingPageIsToldInItsPlace)
{
    const struct {
        std::shared_ptr<Nelvar::ISetup> controlPanel;
        QString message;
    } cases[] = {
        {nullptr, QStringLiteral("The plug-in has no instrument control panel.")},
        {std::make_shared<PagelessControlPanel>(),
         QStringLiteral("The plug-in's instrument control panel has no page to show.")},
    };
    for (const auto& [controlPanel, message] : cases) {
        ControlPanelWindow window(controlPanel);
        window.show();
        EXPECT_EQ(window.page().dialog(), nullptr);
        EXPECT_FALSE(window.page().isVisible());
        QStringList shownTexts;
        for (const QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisible())
                shownTexts << label->text();
        EXPECT_EQ(shownTexts, QStringList{message});
        EXPECT_FALSE(window.selectTab(0));
        QTest::mouseClick(window.buttons().button(QDialogButtonBox::Close), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
}

// The real serial path: the window on the pty of the simulator program lists the views that the
// instrument holds, each in its slot.
TEST_F(ControlPanelWindowTest, OnAPtyTheViewsTabListsTheViewsTheInstrumentHolds)
{
    events::EventLoop::install(std::make_shared<events::QtEventLoop>());
    const SimulatorProgram instrument(QStringLiteral(ZELTOR_SIM_PATH));
    ASSERT_TRUE(instrument.devicePath().startsWith(QStringLiteral("/dev/"))) << instrument.devicePath().toStdString();
    ASSERT_EQ(tellInstrument(instrument.devicePath(),
                             {"$IREM\r", "$#PPD,2,Rates,BRRA,IERA\r", "$#PPD,5,Volumes,MIVO,TIVO\r", "$EREM\r"}),
              (QStringList{"$irem", "$#ppd", "$#ppd", "$erem"}));
    serial::setConfiguredPort(instrument.devicePath());

    ControlPanelWindow window(plugIn->ControlPanel());
    window.show();
    ASSERT_TRUE(window.selectTab(1));
    const auto& slotList = child<QTreeWidget>(window, "lvwSlotInfo");
    ASSERT_TRUE(SimulatorProgram::pumpUntil([&] { return slotList.topLevelItemCount() > 0; }));
    EXPECT_EQ(slotTexts(slotList),
              (QStringList{"1 [Empty]", "2 Rates", "3 [Empty]", "4 [Empty]", "5 Volumes", "6 [Empty]", "7 [Empty]",
                           "8 [Empty]", "9 [Empty]"}));
    EXPECT_EQ(child<QLabel>(window, "lblFirmwareRevision").text(), QStringLiteral("Firmware revision:   3.01"));
    EXPECT_TRUE(boxes->shown().empty()) << boxes->shown().front().text.toStdString();
}
