#include "TestGuideSettings.h"

#include "testmodel/TestGuideConfig.h"

#include "com/Failure.h"

namespace host {

TestGuideSettings::TestGuideSettings(QWidget* parent) : Nelvar::XTestGuideSettings(parent)
{
    m_allowSkip.setObjectName(QStringLiteral("allowSkip"));
    m_allowSkip.setText(QStringLiteral("Allow the operator to skip this test"));
    m_allowNotApplicable.setObjectName(QStringLiteral("allowNotApplicable"));
    m_allowNotApplicable.setText(QStringLiteral("Allow the operator to mark this test not applicable"));
    m_layout.addWidget(&m_allowSkip);
    m_layout.addWidget(&m_allowNotApplicable);
    m_layout.addStretch(1);
    // Only the user's clicks are edits: showing settings sets the boxes without a click.
    connect(&m_allowSkip, &QCheckBox::clicked, this,
            [this](bool set) { flagClicked(Nelvar::ITestGuideConfig::etgAllowSkip, set); });
    connect(&m_allowNotApplicable, &QCheckBox::clicked, this,
            [this](bool set) { flagClicked(Nelvar::ITestGuideConfig::etgAllowNotApplicable, set); });
    showConfig();
}

void TestGuideSettings::SetTestGuideConfig(const std::shared_ptr<Nelvar::ITestGuideConfig>& config)
{
    m_config = config;
    m_editable = std::dynamic_pointer_cast<TestGuideConfig>(config);
    showConfig();
}

void TestGuideSettings::setLocked(bool locked)
{
    m_locked = locked;
    showConfig();
}

void TestGuideSettings::showConfig()
{
    int32_t flags = 0;
    // Settings that cannot tell their flags show none set.
    if (m_config)
        com::ignoreFailure([&] { flags = m_config->Flags(); });
    m_allowSkip.setChecked((flags & Nelvar::ITestGuideConfig::etgAllowSkip) != 0);
    m_allowNotApplicable.setChecked((flags & Nelvar::ITestGuideConfig::etgAllowNotApplicable) != 0);
    const bool editable = m_editable && !m_locked;
    m_allowSkip.setEnabled(editable);
    m_allowNotApplicable.setEnabled(editable);
}

void TestGuideSettings::flagClicked(int32_t flag, bool set)
{
    if (!m_editable || m_locked) {
        showConfig();
        return;
    }
    const int32_t flags = m_editable->Flags();
    m_editable->setFlags(set ? (flags | flag) : (flags & ~flag));
    showConfig();
    if (m_changeListener)
        com::ignoreFailure(m_changeListener);
}

} // namespace host
