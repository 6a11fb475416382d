#pragma once

#include "com/KeyedCollection.h"
#include "com/Object.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CParameterDef;

// Fixed selections of breath parameters that the user can pick.
enum EZeltorParameterView : int32_t {
    epvAll = 0,
    epvRate = 1,
    epvTime = 2,
    epvVolume = 3,
    epvFlow = 4,
    epvPressure = 5,
    epvCPAPMeasurements = 6,
    epvEnvironment = 7,
    epvTemplate = 8,
};

// The parameter definitions of a test configuration, keyed by parameter key in the order they
// were added: which parameters exist for the test, which are selected and in which display units
// they are shown. Persisted as "ParameterList" with one "Parameter" per selected definition.
class CParameterList final : public com::Object {
public:
    using Definitions = com::KeyedCollection<std::shared_ptr<CParameterDef>>;

    // The number of definitions, or of the selected ones.
    int32_t Count(bool selectedOnly = false) const;
    // By 1-based position or by key; an unknown one raises the collection's error (9).
    const std::shared_ptr<CParameterDef>& Item(int32_t index) const { return m_definitions.Item(index); }
    const std::shared_ptr<CParameterDef>& Item(const QString& key) const { return m_definitions.Item(key); }
    bool Contains(const QString& key) const { return m_definitions.Contains(key); }
    Definitions::Iterator begin() const { return m_definitions.begin(); }
    Definitions::Iterator end() const { return m_definitions.end(); }

    // A new definition of that key (selected, filled from the parameter table); a key added twice
    // raises the collection's duplicate-key error (457).
    void Add(const QString& key);
    // Selects the view's breath parameters and the waveform channels and deselects every other
    // definition; epvAll selects every definition; values outside 0 to 8 change nothing.
    void SetPredefinedView(int32_t view);
    // With no keys every definition becomes selected; otherwise a definition is selected exactly
    // when its key occurs in the keys joined by blanks or in "FLOW PRES VOLU " (case-sensitive
    // substring tests).
    void SelectKeys(const QStringList& keys = {});

    std::shared_ptr<CParameterList> Clone() const;
    // Replaces the definitions by clones of the source's, in its order and under its keys.
    void CopyFrom(const CParameterList& source);

    // Reads a "ParameterList": deselects all but the waveform channels, then loads every child
    // into the definition of its key. Raises 0x8004A3C2 for another element.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A "ParameterList" element (not appended) with one child per selected definition.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

private:
    Definitions m_definitions;
};

} // namespace ZeltorTests
