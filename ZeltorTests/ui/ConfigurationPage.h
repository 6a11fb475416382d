#pragma once

#include "PageBase.h"

#include <QString>

#include <memory>
#include <vector>

class QGroupBox;
class QListWidget;

namespace Nelvar {
class ITestGuideConfig;
class XTestGuideSettings;
}

namespace ZeltorTests {

// Heights of a configuration page's layout, in twips.
struct ConfigurationPageLayout {
    int smallestHeight;     // the page's height is taken as at least this
    int fixedBelow;         // at or below this nothing moves
    int fullLayoutFrom;     // from this on list, frames and help text are placed
    int helpTextMargin;     // below the full layout the help text is this much shorter than the page
    int helpTextShownAbove; // ... and shown only when it comes out taller than this
};

// What the test configuration pages share: a list on the left whose selected entry shows one of
// the frames beside it, the host's help text below them and its test-guide settings control in
// a frame of its own, and their layout when the page is resized (heights in twips).
class ConfigurationPage : public Zeltor::PageBase {
public:
    ~ConfigurationPage() override;

protected:
    ConfigurationPage(const char* objectName, const ConfigurationPageLayout& layout);

    // A frame with its entry in the list, in the list's order.
    QGroupBox& addFrame(const char* caption, const char* name);
    // The frame holding the host's test-guide settings, reporting their edits as "Change".
    void addTestGuideFrame();
    // To be called once the frames are added: translates the page and selects the first entry.
    void finishCreation();

    void handOverTestGuideConfig(const std::shared_ptr<Nelvar::ITestGuideConfig>& config);
    void lockTestGuideSettings(bool locked);
    QListWidget& selectionList() const { return *m_selection; }

    // A frame has been selected (after it is shown).
    virtual void frameSelected(int index);
    // The frames have been given the height up to the help text's top t (in twips).
    virtual void framesPlaced(int helpTextTop);

    void resizeEvent(QResizeEvent* event) override;

private:
    void showSelectedFrame();

    ConfigurationPageLayout m_layout;
    QListWidget* m_selection;
    std::vector<QGroupBox*> m_frames;
    std::shared_ptr<Nelvar::XTestGuideSettings> m_testGuideSettings;
};

} // namespace ZeltorTests
