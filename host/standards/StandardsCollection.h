#pragma once

#include "Standard.h"

#include <memory>
#include <vector>

namespace host {

// A collection of the host's standards: the expected results of one test, or the standards a
// run is judged against. (Not named Standards.h, which would hide the shared interface header.)
//
// Record: an element "Standards" (callers may rename it) holding one element per standard:
//   <Standards>
//     <Standard Name="..." Key2="..." Kind="1">
//       <Limit Name="INPP" Unit="mbar" BaseUnit="cmH2O" Upper="40" UpperEnabled="True" Lower="5"/>
//     </Standard>
//   </Standards>
// Bounds are stored in the base unit; a flag is written only when set.
class Standards final : public Nelvar::IStandards {
public:
    // Appends the standard; none raises object not set (91), one that is not the host's type
    // mismatch (13).
    void Add(const std::shared_ptr<Nelvar::IStandard>& standard) override;
    int32_t Count() const override { return static_cast<int32_t>(m_standards.size()); }
    // A position outside 1 to Count raises subscript (9).
    std::shared_ptr<Nelvar::IStandard> ItemAt(int32_t position) const override;
    // The first standard with that name and second key (case-sensitive), or none; an index other
    // than 0 raises invalid call (5).
    std::shared_ptr<Nelvar::IStandard> Item(int32_t index, const QString& name, const QString& key2) const override;
    std::shared_ptr<Nelvar::IStandards> Clone() const override;
    // Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const override;
    // Replaces the standards by those of the element; children other than "Standard" are ignored.
    // Raises 91 without an element, and as Limit::Load for a damaged record, leaving the
    // collection as it was. The owner is not used.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    void Clear() override { m_standards.clear(); }
    // Keeps the element without owning it.
    void UpdateReferences(const std::shared_ptr<Nelvar::ITestElement>& element) override { m_owner = element; }
    std::shared_ptr<Nelvar::ITestElement> Owner() const { return m_owner.lock(); }
    // Each standard that the limit context holds (by name and second key), or every standard
    // without a context, as printStandard lays it out. Nothing without a report.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report, const std::shared_ptr<Nelvar::IStandards>& limitContext,
                     const com::Value& table) override;

    static const QString kElementName;

private:
    std::vector<std::shared_ptr<Standard>> m_standards;
    std::weak_ptr<Nelvar::ITestElement> m_owner;
};

} // namespace host
