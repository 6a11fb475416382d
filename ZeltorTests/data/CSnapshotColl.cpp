#include "data/CSnapshotColl.h"

#include "data/CSnapshotPrinter.h"
#include "data/CWaveformData.h"
#include "data/DataErrors.h"
#include "data/ReportHeading.h"

#include "ErrorPassing.h"
#include "Product.h"
#include "RecordNames.h"
#include "Report.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kSnapshots;
constexpr QLatin1String kSnapshotElement = Zeltor::RecordNames::kSnapshot;
const QString kKeyAttribute = QStringLiteral("Key");
const QString kSource = QStringLiteral("Component.Module");

} // namespace

std::shared_ptr<CWaveformData> CSnapshotColl::Item(int32_t index) const
{
    if (index < 1 || index > m_snapshots.Count())
        return nullptr;
    return m_snapshots.Item(index);
}

std::shared_ptr<CWaveformData> CSnapshotColl::Item(const QString& key) const
{
    if (!m_snapshots.Contains(key))
        return nullptr;
    return m_snapshots.Item(key);
}

void CSnapshotColl::Add(const std::shared_ptr<CWaveformData>& snapshot)
{
    if (!snapshot || m_snapshots.Contains(snapshot->Key()))
        return;
    m_snapshots.Add(snapshot, snapshot->Key());
    m_lastSnapshot = snapshot;
}

void CSnapshotColl::Remove(int32_t index)
{
    if (index >= 1 && index <= m_snapshots.Count())
        m_snapshots.Remove(index);
}

void CSnapshotColl::Remove(const QString& key)
{
    if (m_snapshots.Contains(key))
        m_snapshots.Remove(key);
}

std::shared_ptr<Nelvar::IXmlElement> CSnapshotColl::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    if (m_snapshots.Count() == 0)
        return nullptr;
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        // The host's error service hears of a record that cannot be made; the caller gets no element.
        if (!element)
            Zeltor::raiseOwnError(eeSnapshotsCannotCreateElement, kSource, 4);
        for (const auto& snapshot : m_snapshots)
            if (const auto snapshotElement = snapshot->Save(document))
                element->AppendChild(snapshotElement);
        return element;
    } catch (...) {
        return nullptr;
    }
}

void CSnapshotColl::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters,
                         int32_t detectLevel)
{
    if (!element || element->TagName() != kElementName)
        return;
    const Nelvar::IXmlElement& record = *element;
    m_snapshots.Clear();
    const auto children = record.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const auto child = children->Item(i);
        if (child->TagName() != kSnapshotElement)
            continue;
        const auto snapshot = CWaveformData::create();
        snapshot->Initialize(child->GetAttribute(kKeyAttribute), parameters, detectLevel);
        snapshot->Load(child);
        // Add would refuse the second of two snapshots under one key; the record is damaged.
        if (m_snapshots.Contains(snapshot->Key()))
            throw com::Error(com::errDuplicateKey, kSource,
                             QStringLiteral("Snapshots: two snapshots have the key \"%1\"").arg(snapshot->Key()));
        Add(snapshot);
    }
}

void CSnapshotColl::PrintReport(Nelvar::IReport& report) const
{
    if (m_snapshots.Count() == 0)
        return;
    CSnapshotPrinter printer;
    com::ignoreFailure(
        [&] { printReportHeading(report, report.GetText(Zeltor::kProduct, QStringLiteral("20380::Snapshots"))); });
    for (const auto& snapshot : m_snapshots)
        com::ignoreFailure([&] { snapshot->Print(printer, report); });
}

} // namespace ZeltorTests
