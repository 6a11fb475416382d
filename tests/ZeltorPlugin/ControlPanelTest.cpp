// The instrument control panel page, opened as the host opens it (ISetup.CreateDialog, docked),
// driven by clicks and keys, against a simulated instrument behind a virtual port: every open of
// the port is a new link to the same instrument memory, so what one of the page's sessions stores
// the next one finds, and every frame the page sends is recorded.

#include "CZeltorControlPanel.h"

#include "HostFixture.h"
#include "PageInput.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "VtiTypes.h"

#include "InstrumentMemory.h"
#include "InstrumentSimulator.h"

#include "com/ClassRegistry.h"
#include "serial/MemoryLink.h"
#include "serial/PortFinder.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

using ZeltorVTI::GMTI;

namespace {

const QString kPortName = QStringLiteral("panel");
const QString kPageTitle = QStringLiteral("Nelvar Zeltor Plug-in");
const QString kRefreshError = QStringLiteral("An error occured in cmdUpdateParameterViewList !");
const QString kLinkTitle = QStringLiteral("Communication error");
const QString kNoZeltorText = QStringLiteral(
    "No Zeltor connected. Please check all cables and verify that the Zeltor is turned on.");
const QString kCommunicationErrorText = QStringLiteral(
    "Communication error with the Zeltor unit. Please check all cables and check that the Zeltor is turned on.");

// The parameter list's captions in list order.
const QStringList kItemCaptions{"Breath rate", "Tidal volume", "Inspiratory peak flow", "Inspiratory peak pressure",
                                "Peep pressure", "Mean inspiratory pressure", "Minute volume", "I/E Ratio",
                                "Inspiratory hold", "Inspiration period", "Expiration period", "Expiratory peak flow",
                                "Temperature", "Oxygen level", "Mean expiratory pressure"};

QStringList emptySlots(int count)
{
    return QStringList(count, QStringLiteral("[Empty]"));
}

// The simulated instrument behind the virtual port. Each open makes a fresh link to a simulator
// with the current settings, on the one memory of this object; the frames the system sends are
// recorded in order before the simulator sees them.
class RecordedInstrument {
public:
    explicit RecordedInstrument(const QString& portName) : m_portName(portName)
    {
        serial::registerVirtualPort(m_portName, [this]() -> std::shared_ptr<serial::IDataLink> {
            return refuseOpens ? nullptr : openLink();
        });
    }
    ~RecordedInstrument() { serial::unregisterVirtualPort(m_portName); }
    RecordedInstrument(const RecordedInstrument&) = delete;
    RecordedInstrument& operator=(const RecordedInstrument&) = delete;

    // The frames received since the last call, without their carriage return.
    QStringList takeReceived() { return std::exchange(m_received, {}); }
    int opens() const { return static_cast<int>(m_ends.size()); }
    bool anyLinkOpen() const
    {
        for (const auto& weakEnd : m_ends)
            if (const auto end = weakEnd.lock(); end && end->linkOpen())
                return true;
        return false;
    }

    // For the links opened from now on.
    simulator::SimulatorSettings settings;
    bool refuseOpens = false;
    const std::shared_ptr<simulator::InstrumentMemory> memory = simulator::InstrumentMemory::startingFrom(settings);

private:
    struct Companion {
        std::shared_ptr<serial::MemoryInstrumentEnd> end;
        std::shared_ptr<simulator::InstrumentSimulator> simulator;
    };

    std::shared_ptr<serial::IDataLink> openLink()
    {
        auto [link, end] = serial::MemoryLink::createPair();
        std::weak_ptr<serial::MemoryInstrumentEnd> toSystem = end;
        auto peer = std::make_shared<simulator::InstrumentSimulator>(
            settings,
            [toSystem](const QByteArray& bytes) {
                if (const auto target = toSystem.lock())
                    target->write(bytes);
            },
            memory);
        std::weak_ptr<simulator::InstrumentSimulator> weakPeer = peer;
        end->setReader([this, weakPeer](const QByteArray& frame) {
            m_received << QString::fromLatin1(frame.endsWith('\r') ? frame.chopped(1) : frame);
            if (const auto simulator = weakPeer.lock())
                simulator->receive(frame);
        });
        m_ends.push_back(end);
        link->keepAlive(std::make_shared<Companion>(Companion{end, std::move(peer)}));
        return link;
    }

    QString m_portName;
    QStringList m_received;
    std::vector<std::weak_ptr<serial::MemoryInstrumentEnd>> m_ends;
};

} // namespace

class ControlPanelTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
        serial::setConfiguredPort(kPortName);
        GMTI.ResetVTI();
        host.resize(640, 480);
    }
    void TearDown() override
    {
        if (dialog)
            dialog->Unload();
        dialog.reset();
        GMTI.ResetVTI();
        serial::setConfiguredPort(QString());
        HostFixture::TearDown();
    }

    // Shows a new page as the host does: made by a new control panel object, docked and shown.
    QWidget& showPage()
    {
        if (dialog)
            dialog->Unload();
        dialog = std::make_shared<ZeltorPlugin::CZeltorControlPanel>()->CreateDialog();
        if (!dialog)
            throw std::runtime_error("no control panel page");
        dialog->Dock(&host);
        dialog->Move(0, 0, 600, 420);
        dialog->Show(0);
        host.show();
        return child(host, "XZeltorControlPanel");
    }
    // Shows a new page and lets it read the instrument's settings, as it does once it is shown.
    QWidget& open()
    {
        QWidget& page = showPage();
        loop->advance(1);
        return page;
    }
    // The settings frame shows the three boxes; in its place a notice when they could not be read.
    bool settingsShown() const { return child(host, "Frame1").isVisible() && child(host, "Frame1").isEnabled(); }
    bool settingsNoticeShown() const { return child(host, "lblSettingsNotice").isVisible(); }

    // The frames the page sent since the last call, once those on their way have arrived.
    QStringList sent()
    {
        loop->advance(10);
        return instrument.takeReceived();
    }

    // The user picks the tab; the page takes the choice up from the message pump.
    void showTab(int tab) const
    {
        child<QTabBar>(host, "tbsTabStrip").setCurrentIndex(tab);
        loop->advance(1);
    }
    void click(const char* button) const { QTest::mouseClick(&child<QPushButton>(host, button), Qt::LeftButton); }
    bool enabled(const char* control) const { return child(host, control).isEnabled(); }
    QLineEdit& box(const char* name) const { return child<QLineEdit>(host, name); }
    QListWidget& items() const { return child<QListWidget>(host, "lvwIncludedItems"); }
    QTreeWidget& slotList() const { return child<QTreeWidget>(host, "lvwSlotInfo"); }

    QStringList tickedItems() const
    {
        QStringList ticked;
        for (int row = 0; row < items().count(); ++row)
            if (items().item(row)->checkState() == Qt::Checked)
                ticked << items().item(row)->text();
        return ticked;
    }
    // One column of the slot list, top to bottom.
    QStringList slotColumn(int column) const
    {
        QStringList texts;
        for (int row = 0; row < slotList().topLevelItemCount(); ++row)
            texts << slotList().topLevelItem(row)->text(column);
        return texts;
    }
    // The user clicks the slot's row; the page takes the choice up from the message pump.
    void chooseSlot(int row) const
    {
        QTreeWidget& list = slotList();
        list.scrollToItem(list.topLevelItem(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.topLevelItem(row)).center());
        loop->advance(1);
    }
    void tickItem(int row) const
    {
        QListWidget& list = items();
        list.scrollToItem(list.item(row));
        const QRect rect = list.visualItemRect(list.item(row));
        // The check box sits at the item's left end.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 8, rect.center().y()));
    }
    void expectNoSlotChosen() const
    {
        EXPECT_EQ(slotList().currentItem(), nullptr);
        EXPECT_TRUE(slotList().selectedItems().isEmpty());
        EXPECT_FALSE(enabled("cmdDeleteParameterView"));
    }
    // The message boxes shown since the last call, as "title | style | text".
    QStringList shownBoxes() const
    {
        QStringList shown;
        for (const auto& [text, style, title] : boxes->shown())
            shown << QStringLiteral("%1 | %2 | %3").arg(title).arg(style).arg(text);
        boxes->clear();
        return shown;
    }
    void store(int slot, const QString& description, const QStringList& codes) const
    {
        instrument.memory->views.store(slot, {description, codes});
    }

    RecordedInstrument instrument{kPortName};
    QWidget host;
    std::shared_ptr<Nelvar::IDialog> dialog;
};

// Once shown, a new page reads what the instrument holds over a connection opened for it and
// closed after: the operator, establishment, serial number and firmware version fill the settings
// tab, and Apply stays disabled; before that the boxes take no input. The fifteen parameters are
// unticked in their order and no slots are listed before their tab is shown.
TEST_F(ControlPanelTest, ANewPageShowsTheSettingsTheInstrumentHolds)
{
    instrument.memory->operatorName = QStringLiteral("Ann Smith");
    instrument.memory->establishment = QStringLiteral("Ward 4");
    instrument.memory->serialNumber = QStringLiteral("ZT-4711");
    instrument.settings.identity.firmwareVersion = QStringLiteral("3.07");
    const QWidget& page = showPage();
    EXPECT_FALSE(child(page, "Frame1").isEnabled()) << "nothing is edited before the instrument's settings are shown";
    loop->advance(1);

    EXPECT_EQ(sent(), (QStringList{"$IREM", "$GMTD", "$EREM"}));
    EXPECT_EQ(child<QTabBar>(page, "tbsTabStrip").currentIndex(), 0);
    EXPECT_TRUE(child(page, "pboTab(0)").isVisible());
    EXPECT_FALSE(child(page, "pboTab(1)").isVisible());
    EXPECT_TRUE(settingsShown());
    EXPECT_FALSE(settingsNoticeShown());
    const std::tuple<const char*, int, QString> textBoxes[] = {{"txtOperator", 20, "Ann Smith"},
                                                               {"txtEstablishment", 20, "Ward 4"},
                                                               {"txtSerialNumber", 12, "ZT-4711"},
                                                               {"txtDescription", 39, ""}};
    for (const auto& [name, maxLength, text] : textBoxes) {
        EXPECT_EQ(box(name).text(), text) << name;
        EXPECT_EQ(box(name).maxLength(), maxLength) << name;
    }
    EXPECT_EQ(child<QLabel>(page, "lblFirmwareRevision").text(), QStringLiteral("Firmware revision:   3.07"));
    EXPECT_TRUE(child(page, "cmdApplySettings").isVisible());
    EXPECT_FALSE(enabled("cmdApplySettings"));
    EXPECT_FALSE(enabled("cmdUploadParameterView"));
    EXPECT_FALSE(enabled("cmdDeleteParameterView"));

    QStringList captions;
    for (int row = 0; row < items().count(); ++row) {
        captions << items().item(row)->text();
        EXPECT_TRUE(items().item(row)->flags().testFlag(Qt::ItemIsUserCheckable)) << row;
    }
    EXPECT_EQ(captions, kItemCaptions);
    EXPECT_EQ(tickedItems(), QStringList());
    EXPECT_EQ(slotList().topLevelItemCount(), 0);

    EXPECT_EQ(instrument.opens(), 1);
    EXPECT_FALSE(instrument.anyLinkOpen());
    EXPECT_TRUE(boxes->shown().empty());
}

// An edit of any of the three settings boxes enables Apply; the description box does not.
TEST_F(ControlPanelTest, EditingASettingsBoxEnablesApply)
{
    for (const char* name : {"txtOperator", "txtEstablishment", "txtSerialNumber"}) {
        open();
        typeInto(box(name), QStringLiteral("x"));
        EXPECT_TRUE(enabled("cmdApplySettings")) << name;
    }
    open();
    showTab(1);
    typeInto(box("txtDescription"), QStringLiteral("x"));
    EXPECT_FALSE(enabled("cmdApplySettings"));
}

// The first show of the views tab lists the nine slots over a connection opened for it and closed
// after; showing the tab again does not ask the instrument again.
TEST_F(ControlPanelTest, TheFirstShowOfTheViewsTabListsTheSlotsOverAConnectionOpenedForIt)
{
    store(1, QStringLiteral("Rate"), {"BRRA"});
    store(3, QStringLiteral("Volume, all"), {"MIVO", "TIVO"});
    open();
    sent();
    showTab(1);

    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPL", "$EREM"}));
    EXPECT_EQ(slotColumn(0), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(slotColumn(1), QStringList({"Rate", "[Empty]", "Volume, all"}) + emptySlots(6));
    expectNoSlotChosen();
    EXPECT_TRUE(child(host, "pboTab(1)").isVisible());
    EXPECT_FALSE(child(host, "pboTab(0)").isVisible());
    EXPECT_EQ(GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
    EXPECT_FALSE(instrument.anyLinkOpen());
    EXPECT_TRUE(boxes->shown().empty());

    store(2, QStringLiteral("Later"), {"TEMP"});
    showTab(0);
    showTab(1);
    EXPECT_EQ(sent(), QStringList());
    EXPECT_EQ(slotColumn(1), QStringList({"Rate", "[Empty]", "Volume, all"}) + emptySlots(6));
    EXPECT_EQ(instrument.opens(), 2) << "one for the settings, one for the slots";
}

// Choosing a stored view ticks exactly its parameters and shows the description the instrument
// holds; choosing an empty slot clears the ticks and the description and keeps Delete disabled.
TEST_F(ControlPanelTest, ChoosingASlotTicksExactlyTheParametersOfItsView)
{
    store(1, QStringLiteral("Rate"), {"TIVO", "BRRA"});
    // Written into the memory directly: no upload would store a key that is no parameter.
    store(4, QStringLiteral("Odd"), {"BRRA", "XXXX"});
    store(6, QStringLiteral("Listed"), {"TEMP"});
    open();
    showTab(1);
    store(6, QStringLiteral("Renamed"), {"TEMP", "OXLE"});
    click("cmdAll");
    ASSERT_EQ(tickedItems(), kItemCaptions);
    sent();

    const struct {
        const char* what;
        int row;
        QStringList ticked;
        QString description;
        QStringList frames;
    } cases[] = {
        {"a view of two keys", 0, {"Breath rate", "Tidal volume"}, "Rate", {"$IREM", "$#GPD,1", "$EREM"}},
        {"an empty slot", 1, {}, "", {}},
        {"a key that is no parameter is passed over", 3, {"Breath rate"}, "Odd", {"$IREM", "$#GPD,4", "$EREM"}},
        {"an empty slot after a filled one", 2, {}, "", {}},
        {"the instrument's description replaces the listed one", 5, {"Temperature", "Oxygen level"}, "Renamed",
         {"$IREM", "$#GPD,6", "$EREM"}},
    };
    for (const auto& [what, row, ticked, description, frames] : cases) {
        SCOPED_TRACE(what);
        chooseSlot(row);
        EXPECT_EQ(slotList().currentItem(), slotList().topLevelItem(row));
        EXPECT_EQ(tickedItems(), ticked);
        EXPECT_EQ(box("txtDescription").text(), description);
        EXPECT_EQ(enabled("cmdDeleteParameterView"), !frames.isEmpty());
        EXPECT_EQ(sent(), frames);
    }
    EXPECT_TRUE(boxes->shown().empty());
}

// A slot is chosen by a click, on the chosen one again too (the instrument is asked anew), and by
// the keyboard, the focus staying in the list through the call; the focus coming into the list
// chooses none.
TEST_F(ControlPanelTest, ASlotIsChosenByAClickOrByTheKeyboardButNotByTheFocus)
{
    store(1, QStringLiteral("Rate"), {"BRRA"});
    store(2, QStringLiteral("Warm"), {"TEMP"});
    open();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    showTab(1);
    sent();

    slotList().setFocus(Qt::TabFocusReason);
    loop->advance(1);
    EXPECT_EQ(sent(), QStringList());
    EXPECT_TRUE(slotList().selectedItems().isEmpty());
    EXPECT_FALSE(enabled("cmdDeleteParameterView"));

    chooseSlot(0);
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPD,1", "$EREM"}));
    store(1, QStringLiteral("Rate"), {"BRRA", "TIVO"});
    chooseSlot(0);
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPD,1", "$EREM"})) << "a click on the chosen slot asks again";
    EXPECT_EQ(tickedItems(), (QStringList{"Breath rate", "Tidal volume"}));

    slotList().setFocus(Qt::OtherFocusReason);
    QTest::keyClick(&slotList(), Qt::Key_Down);
    loop->advance(1);
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPD,2", "$EREM"}));
    EXPECT_EQ(tickedItems(), QStringList{"Temperature"});
    EXPECT_EQ(box("txtDescription").text(), QStringLiteral("Warm"));
    EXPECT_TRUE(slotList().hasFocus()) << "the list keeps the focus through the call";
}

// Each of the fifteen keys ticks its own item and no other.
TEST_F(ControlPanelTest, EachParameterKeyTicksItsOwnItem)
{
    const std::pair<const char*, const char*> keys[] = {
        {"BRRA", "Breath rate"},        {"TIVO", "Tidal volume"},
        {"INPF", "Inspiratory peak flow"}, {"INPP", "Inspiratory peak pressure"},
        {"PEPR", "Peep pressure"},      {"MEIP", "Mean inspiratory pressure"},
        {"MIVO", "Minute volume"},      {"IERA", "I/E Ratio"},
        {"INHO", "Inspiratory hold"},   {"INPE", "Inspiration period"},
        {"EXPE", "Expiration period"},  {"EXPF", "Expiratory peak flow"},
        {"TEMP", "Temperature"},        {"OXLE", "Oxygen level"},
        {"MEEP", "Mean expiratory pressure"},
    };
    store(1, QStringLiteral("One"), {});
    store(2, QStringLiteral("Two"), {});
    open();
    showTab(1);
    int row = 0;
    for (const auto& [key, caption] : keys) {
        SCOPED_TRACE(key);
        // The two slots take turns, so that every choice is a new one.
        row = 1 - row;
        store(row + 1, slotColumn(1)[row], {QString::fromLatin1(key)});
        chooseSlot(row);
        EXPECT_EQ(tickedItems(), QStringList{QString::fromLatin1(caption)});
    }
}

// An upload sends the ticked parameters and the description as a view for slot 0, which the
// instrument stores in its lowest empty slot; the list is filled anew with no slot chosen.
TEST_F(ControlPanelTest, UploadSendsTheTickedParametersAsANewViewAndListsTheSlotsAnew)
{
    store(1, QStringLiteral("Rate"), {"BRRA"});
    store(3, QStringLiteral("Volume"), {"TIVO"});
    open();
    showTab(1);
    chooseSlot(0);
    ASSERT_TRUE(enabled("cmdDeleteParameterView"));
    for (const int row : {12, 8, 9}) // Temperature, Inspiratory hold, Inspiration period
        tickItem(row);
    ASSERT_EQ(tickedItems(), (QStringList{"Breath rate", "Inspiratory hold", "Inspiration period", "Temperature"}));
    typeInto(box("txtDescription"), QStringLiteral("Mine, too"));
    sent();

    click("cmdUploadParameterView");
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#PPD,0,Mine\\, too,BRRA,INPE,INHO,TEMP", "$#GPL", "$EREM"}));
    const auto& stored = instrument.memory->views.view(2);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->description, QStringLiteral("Mine, too"));
    EXPECT_EQ(slotColumn(1), QStringList({"Rate", "Mine, too", "Volume"}) + emptySlots(6));
    expectNoSlotChosen();
    EXPECT_TRUE(enabled("XZeltorControlPanel"));
    EXPECT_TRUE(boxes->shown().empty());
}

// Without a description Upload is disabled, and a click on it sends nothing.
TEST_F(ControlPanelTest, UploadIsDisabledWithoutADescription)
{
    open();
    showTab(1);
    sent();
    QLineEdit& description = box("txtDescription");
    typeInto(description, QStringLiteral("V"));
    EXPECT_TRUE(enabled("cmdUploadParameterView"));
    QTest::keyClick(&description, Qt::Key_Backspace);
    EXPECT_FALSE(enabled("cmdUploadParameterView"));
    click("cmdUploadParameterView");
    EXPECT_EQ(sent(), QStringList());
    EXPECT_TRUE(boxes->shown().empty());
}

// A view the instrument refuses (all its slots hold one) is reported by the instrument link;
// the slots are listed anew all the same.
TEST_F(ControlPanelTest, AnUploadTheInstrumentRefusesIsReportedAndTheSlotsAreListedAnew)
{
    for (int slot = 1; slot <= 9; ++slot)
        store(slot, QStringLiteral("View %1").arg(slot), {"BRRA"});
    open();
    showTab(1);
    sent();
    typeInto(box("txtDescription"), QStringLiteral("Tenth"));
    click("cmdUploadParameterView");

    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#PPD,0,Tenth", "$#GPL", "$EREM"}));
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_TRUE(boxes->shown()[0].text.startsWith(QStringLiteral("Error received from MTI:1003")))
        << boxes->shown()[0].text.toStdString();
    EXPECT_EQ(slotColumn(1).size(), 9);
    EXPECT_EQ(slotColumn(1).last(), QStringLiteral("View 9"));
    expectNoSlotChosen();
}

// Delete asks first; No changes nothing, Yes sends an empty view for the slot and lists the
// slots anew.
TEST_F(ControlPanelTest, DeleteAsksAndOnYesEmptiesTheSlot)
{
    store(2, QStringLiteral("Volume"), {"TIVO", "MIVO"});
    store(5, QStringLiteral("Flow"), {"INPF"});
    open();
    showTab(1);
    chooseSlot(1);
    sent();
    const auto expectQuestion = [&] {
        ASSERT_EQ(boxes->shown().size(), 1u);
        const auto& question = boxes->shown()[0];
        EXPECT_EQ(question.text, QStringLiteral("Are you sure you wish to delete the parameter view named 'Volume'?"));
        EXPECT_EQ(question.style, events::mbYesNo);
        EXPECT_EQ(question.title, kPageTitle);
        boxes->clear();
    };

    boxes->answerNext(events::mbrNo);
    click("cmdDeleteParameterView");
    expectQuestion();
    EXPECT_EQ(sent(), QStringList());
    EXPECT_TRUE(instrument.memory->views.view(2).has_value());
    EXPECT_EQ(slotList().currentItem(), slotList().topLevelItem(1));
    EXPECT_TRUE(enabled("cmdDeleteParameterView"));
    EXPECT_EQ(box("txtDescription").text(), QStringLiteral("Volume"));

    boxes->answerNext(events::mbrYes);
    click("cmdDeleteParameterView");
    expectQuestion();
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#PPD,2,", "$#GPL", "$EREM"}));
    EXPECT_FALSE(instrument.memory->views.view(2).has_value());
    EXPECT_TRUE(instrument.memory->views.view(5).has_value());
    EXPECT_EQ(slotColumn(1), QStringList({"[Empty]", "[Empty]", "[Empty]", "[Empty]", "Flow"}) + emptySlots(4));
    EXPECT_EQ(box("txtDescription").text(), QString());
    expectNoSlotChosen();
}

// Apply sends the three texts as they stand in their boxes (cut to the boxes' lengths, commas and
// backslashes escaped); the instrument keeps them, and Apply stays enabled.
TEST_F(ControlPanelTest, ApplySendsTheThreeTextsAndTheInstrumentKeepsThem)
{
    open();
    sent();
    typeInto(box("txtOperator"), QStringLiteral("Smith, Ann"));
    typeInto(box("txtEstablishment"), QStringLiteral("Ward 4\\East"));
    typeInto(box("txtSerialNumber"), QStringLiteral("ZT-1234567890123"));
    click("cmdApplySettings");

    EXPECT_EQ(sent(), (QStringList{"$IREM", "$PMTD,Smith\\, Ann,Ward 4\\\\East,ZT-123456789", "$EREM"}));
    EXPECT_EQ(instrument.memory->operatorName, QStringLiteral("Smith, Ann"));
    EXPECT_EQ(instrument.memory->establishment, QStringLiteral("Ward 4\\East"));
    EXPECT_EQ(instrument.memory->serialNumber, QStringLiteral("ZT-123456789"));
    EXPECT_TRUE(enabled("cmdApplySettings"));
    EXPECT_TRUE(boxes->shown().empty());
}

// Apply after an edit of one box sends the other two as they are shown, which is as the
// instrument holds them: it loses none of its settings.
TEST_F(ControlPanelTest, ApplyAfterEditingOneBoxSendsAllThreeAsShown)
{
    instrument.memory->operatorName = QStringLiteral("Ann Smith");
    instrument.memory->establishment = QStringLiteral("Ward 4");
    instrument.memory->serialNumber = QStringLiteral("ZT-4711");
    open();
    sent();
    typeInto(box("txtEstablishment"), QStringLiteral("Ward 5"));
    click("cmdApplySettings");

    EXPECT_EQ(sent(), (QStringList{"$IREM", "$PMTD,Ann Smith,Ward 5,ZT-4711", "$EREM"}));
    EXPECT_EQ(instrument.memory->operatorName, QStringLiteral("Ann Smith"));
    EXPECT_EQ(instrument.memory->establishment, QStringLiteral("Ward 5"));
    EXPECT_EQ(instrument.memory->serialNumber, QStringLiteral("ZT-4711"));
    EXPECT_TRUE(boxes->shown().empty());
}

// The label shows the version of the instrument the page talked to, from its first call on and
// after the connection was closed again.
TEST_F(ControlPanelTest, TheFirmwareLabelShowsTheConnectedInstrumentsVersion)
{
    instrument.settings.identity.firmwareVersion = QStringLiteral("3.07");
    const QWidget& page = open();
    const QLabel& label = child<QLabel>(page, "lblFirmwareRevision");
    typeInto(box("txtOperator"), QStringLiteral("Ann"));
    click("cmdApplySettings");
    ASSERT_EQ(GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
    EXPECT_EQ(label.text(), QStringLiteral("Firmware revision:   3.07"));
}

// A connection a test holds is used as it is: not opened again, not closed, not replaced.
TEST_F(ControlPanelTest, AConnectionThatIsOpenIsUsedAndLeftOpen)
{
    instrument.settings.identity.firmwareVersion = QStringLiteral("3.12");
    const auto held = GMTI.VTI();
    held->StartRemote();
    ASSERT_EQ(sent(), QStringList{"$IREM"});
    open();
    EXPECT_EQ(child<QLabel>(host, "lblFirmwareRevision").text(), QStringLiteral("Firmware revision:   3.12"))
        << "the version of the instrument on the held connection is known from the start";
    showTab(1);
    typeInto(box("txtDescription"), QStringLiteral("Run view"));
    click("cmdUploadParameterView");
    showTab(0);
    typeInto(box("txtOperator"), QStringLiteral("Ann"));
    click("cmdApplySettings");

    EXPECT_EQ(sent(), (QStringList{"$GMTD", "$#GPL", "$#PPD,0,Run view", "$#GPL", "$PMTD,Ann,,ZT-100234"}));
    EXPECT_EQ(GMTI.VTI(), held);
    EXPECT_EQ(held->ConnectionState(), ZeltorVTI::evtiIdle);
    EXPECT_EQ(instrument.opens(), 1);
    EXPECT_TRUE(instrument.anyLinkOpen());
    EXPECT_TRUE(boxes->shown().empty());
}

// While a test runs on the held connection the instrument lists no views: the list stays empty,
// no message is shown, nothing is sent and the run goes on.
TEST_F(ControlPanelTest, WhileATestRunsOnTheHeldConnectionTheListStaysEmptyWithoutAMessage)
{
    store(1, QStringLiteral("Rate"), {"BRRA"});
    const auto held = GMTI.VTI();
    held->StartRemote();
    held->SetDataLinkMode(serial::edlmStreaming, ZeltorVTI::eds32Bit);
    held->StartTest({com::Value(std::vector<com::Value>{QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("0"),
                                                        QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("0"),
                                                        QStringLiteral("0"), QStringLiteral("0")})});
    ASSERT_EQ(sent().value(1), QStringLiteral("$STST,100,0,0,5,1,0,0,0"));
    open();
    EXPECT_FALSE(settingsShown());
    EXPECT_TRUE(settingsNoticeShown());
    showTab(1);

    EXPECT_EQ(slotList().topLevelItemCount(), 0);
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_EQ(sent(), QStringList());
    EXPECT_EQ(held->ConnectionState(), ZeltorVTI::evtiPerformingTest);
    held->StopTest();
}

// Without an instrument each action shows the link's message once, and a failed listing the
// page's own message once; the settings tab says in the place of its boxes that the instrument's
// settings could not be read, so nothing can be sent without them. Nothing crashes and the page
// works once the instrument is there: each tab, shown again, reads what it could not read before.
TEST_F(ControlPanelTest, WithoutAnInstrumentEachFailureIsShownOnceAndThePageStaysUsable)
{
    const struct {
        const char* what;
        bool portConfigured;
        bool portOpens;
        QString withheld;
        QString linkMessage;
        QStringList sentByThreeActions;
    } cases[] = {
        {"no port configured", false, true, "", kNoZeltorText, {}},
        {"a port that does not open", true, false, "", kCommunicationErrorText, {}},
        {"an instrument that does not answer", true, true, "IREM", kNoZeltorText, {"$IREM", "$IREM", "$IREM"}},
    };
    for (const auto& [what, portConfigured, portOpens, withheld, linkMessage, sentByThreeActions] : cases) {
        SCOPED_TRACE(what);
        serial::setConfiguredPort(portConfigured ? kPortName : QString());
        instrument.refuseOpens = !portOpens;
        instrument.settings.faults.withholdReplyTo = withheld;
        const QString linkBox = kLinkTitle + QStringLiteral(" | 0 | ") + linkMessage;
        const QString refreshBox = kPageTitle + QStringLiteral(" | 16 | ") + kRefreshError;

        const QWidget& page = open();
        EXPECT_EQ(shownBoxes(), QStringList{linkBox});
        EXPECT_FALSE(settingsShown());
        EXPECT_TRUE(settingsNoticeShown());
        EXPECT_EQ(child<QLabel>(page, "lblSettingsNotice").text(),
                  QStringLiteral("The instrument's operator, establishment and serial number could not be read. "
                                 "Check that the Zeltor is connected and turned on, then show this tab again."));
        showTab(1);
        EXPECT_EQ(shownBoxes(), (QStringList{linkBox, refreshBox}));
        EXPECT_EQ(slotList().topLevelItemCount(), 0);
        typeInto(box("txtDescription"), QStringLiteral("V"));
        click("cmdUploadParameterView");
        EXPECT_EQ(shownBoxes(), (QStringList{linkBox, refreshBox}));

        EXPECT_EQ(sent(), sentByThreeActions);
        EXPECT_TRUE(page.isEnabled());
        EXPECT_EQ(GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);

        serial::setConfiguredPort(kPortName);
        instrument.refuseOpens = false;
        instrument.settings.faults.withholdReplyTo.clear();
        showTab(0);
        EXPECT_EQ(sent(), (QStringList{"$IREM", "$GMTD", "$EREM"}))
            << "the tab reads the settings until it has read them";
        EXPECT_TRUE(settingsShown());
        EXPECT_FALSE(settingsNoticeShown());
        EXPECT_EQ(box("txtSerialNumber").text(), QStringLiteral("ZT-100234"));
        EXPECT_EQ(child<QLabel>(page, "lblFirmwareRevision").text(), QStringLiteral("Firmware revision:   3.01"));
        typeInto(box("txtOperator"), QStringLiteral("Ann"));
        click("cmdApplySettings");
        EXPECT_EQ(sent(), (QStringList{"$IREM", "$PMTD,Ann,,ZT-100234", "$EREM"}));
        showTab(1);
        EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPL", "$EREM"})) << "the tab lists the slots until it has listed them";
        EXPECT_EQ(slotList().topLevelItemCount(), 9);
        EXPECT_EQ(shownBoxes(), QStringList());
    }
}

// While the page waits for the instrument it is disabled: clicks on another slot, on Delete and
// on Select all do nothing and send nothing; once the wait has ended the page takes input again.
TEST_F(ControlPanelTest, WhileACallWaitsThePageTakesNoInput)
{
    store(1, QStringLiteral("Rate"), {"BRRA"});
    store(3, QStringLiteral("Volume"), {"TIVO"});
    const QWidget& page = open();
    showTab(1);
    sent();
    instrument.settings.faults.withholdReplyTo = QStringLiteral("#GPD");
    bool enabledDuringTheWait = true;
    loop->at(loop->now() + 100, [&] {
        enabledDuringTheWait = page.isEnabled();
        chooseSlot(2);
        click("cmdDeleteParameterView");
        click("cmdAll");
    });

    chooseSlot(0);
    EXPECT_FALSE(enabledDuringTheWait);
    EXPECT_TRUE(page.isEnabled());
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPD,1", "$EREM"}));
    EXPECT_EQ(shownBoxes(), QStringList{kLinkTitle + QStringLiteral(" | 0 | ") + kNoZeltorText})
        << "the wait's time-out only: no question to delete";
    EXPECT_EQ(slotList().currentItem(), slotList().topLevelItem(0));
    EXPECT_EQ(tickedItems(), QStringList());
    EXPECT_EQ(box("txtDescription").text(), QStringLiteral("Rate"));
    EXPECT_EQ(child<QPushButton>(page, "cmdAll").text(), QStringLiteral("&Select all"));

    instrument.settings.faults.withholdReplyTo.clear();
    chooseSlot(2);
    EXPECT_EQ(sent(), (QStringList{"$IREM", "$#GPD,3", "$EREM"}));
    EXPECT_EQ(tickedItems(), QStringList{"Tidal volume"});
}

// Select all ticks every parameter whatever was ticked before, Clear all clears them, and the
// button's caption tells which comes next.
TEST_F(ControlPanelTest, SelectAllAndClearAllTakeTurns)
{
    open();
    showTab(1);
    sent();
    tickItem(3);
    ASSERT_EQ(tickedItems(), QStringList{"Inspiratory peak pressure"});
    const std::pair<const char*, QStringList> presses[] = {
        {"Clear all", kItemCaptions}, {"Select all", {}}, {"Clear all", kItemCaptions}};
    for (const auto& [caption, ticked] : presses) {
        click("cmdAll");
        EXPECT_EQ(child<QPushButton>(host, "cmdAll").text(), QString::fromLatin1(caption));
        EXPECT_EQ(tickedItems(), ticked);
    }
    EXPECT_EQ(sent(), QStringList());
}

// The host may let go of the page while a call of the page waits (the window messages keep
// flowing then, so the user can close the host's window): the call ends as it would have, the
// connection opened for it is closed, and nothing of the released page is touched: no step of the
// action runs after the call.
TEST_F(ControlPanelTest, ThePageReleasedWhileACallWaitsIsNotTouchedAfterTheCall)
{
    const auto apply = [this] {
        typeInto(box("txtOperator"), QStringLiteral("Ann"));
        click("cmdApplySettings");
    };
    const struct {
        const char* what;
        QString withheld;
        std::function<void()> act;
        QStringList sent;
    } cases[] = {
        {"the settings read once the page is shown", "GMTD", [this] { loop->advance(1); }, {"$IREM", "$GMTD", "$EREM"}},
        {"Apply", "PMTD", apply, {"$IREM", "$PMTD,Ann,,ZT-100234", "$EREM"}},
        {"Apply while the connection opens", "IREM", apply, {"$IREM"}},
        {"the first listing", "#GPL", [this] { showTab(1); }, {"$IREM", "$#GPL", "$EREM"}},
        {"a slot chosen", "#GPD", [this] { chooseSlot(0); }, {"$IREM", "$#GPD,1", "$EREM"}},
        {"an upload", "#PPD",
         [this] {
             typeInto(box("txtDescription"), QStringLiteral("Mine"));
             click("cmdUploadParameterView");
         },
         {"$IREM", "$#PPD,0,Mine", "$EREM"}},
        {"a deletion", "#PPD",
         [this] {
             chooseSlot(0);
             sent();
             instrument.settings.faults.withholdReplyTo = QStringLiteral("#PPD");
             boxes->answerNext(events::mbrYes);
             click("cmdDeleteParameterView");
         },
         {"$IREM", "$#PPD,1,", "$EREM"}},
    };
    for (const auto& [what, withheld, act, expectedFrames] : cases) {
        SCOPED_TRACE(what);
        store(1, QStringLiteral("Rate"), {"BRRA"});
        showPage();
        if (withheld != QLatin1String("GMTD")) {
            loop->advance(1); // the page reads the instrument's settings
            if (withheld != QLatin1String("#GPL"))
                showTab(1);
            sent();
        }
        instrument.settings.faults.withholdReplyTo = withheld;
        loop->at(loop->now() + 100, [&] {
            dialog->Unload();
            dialog.reset();
        });

        act();
        EXPECT_FALSE(dialog);
        EXPECT_EQ(sent(), expectedFrames);
        EXPECT_FALSE(instrument.anyLinkOpen());
        EXPECT_EQ(GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
        instrument.settings.faults.withholdReplyTo.clear();
        boxes->clear();
    }
}
