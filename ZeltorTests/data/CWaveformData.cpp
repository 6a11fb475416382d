#include "data/CWaveformData.h"

#include "data/CGraphSettings.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CZeltorMeasurementTable.h"
#include "RecordReading.h"

#include "GMiscConverters.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "RecordNames.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace ZeltorTests {

namespace {

using ZeltorConverter::GMiscConverters::SecondsToTimeString;

constexpr QLatin1String kElementName = Zeltor::RecordNames::kSnapshot;
const QString kKeyAttribute = QStringLiteral("Key");
const QString kTitleElement = QStringLiteral("Title");
const QString kCommentElement = QStringLiteral("Comment");
const QString kCreationTimeElement = QStringLiteral("CreationTime");
constexpr QLatin1String kTableElement = Zeltor::RecordNames::kMeasurementTable;
const QString kSnapshotText = QStringLiteral("20555::Snapshot");

constexpr double kSamplesPerSecond = 50.0;

// The channel key of each table, in the order of the tables.
const std::array<QString, 3> kChannelKeys{Zeltor::Keys::FLOW, Zeltor::Keys::PRES, Zeltor::Keys::VOLU};

} // namespace

std::shared_ptr<CWaveformData> CWaveformData::create() { return std::make_shared<CWaveformData>(Passkey()); }

CWaveformData::CWaveformData(Passkey)
    : m_tables{CZeltorMeasurementTable::create(), CZeltorMeasurementTable::create(), CZeltorMeasurementTable::create()}
{
}

CZeltorMeasurementTable* CWaveformData::tableOfKey(const QString& key) const
{
    const auto channel = std::ranges::find(kChannelKeys, key);
    return channel == kChannelKeys.end() ? nullptr : m_tables[static_cast<size_t>(channel - kChannelKeys.begin())].get();
}

ZeltorGraph::EZeltorGraphType CWaveformData::ParentType() const
{
    return m_stored ? ZeltorGraph::egtSnapshotGraph : ZeltorGraph::egtWaveformGraph;
}

int32_t CWaveformData::StartTime() const
{
    // Halves to even; a loaded creation time at the very bottom of the range gives the lowest start.
    const double start = std::nearbyint(m_creationTime - FlowTable()->Count() / kSamplesPerSecond);
    return static_cast<int32_t>(std::max(start, static_cast<double>(std::numeric_limits<int32_t>::min())));
}

int32_t CWaveformData::Length() const { return m_creationTime - StartTime(); }

QString CWaveformData::DisplayTitle() const
{
    if (!m_stored)
        return {};
    return QLatin1Char('[') + Nelvar::languageService().GetText(Zeltor::kProduct, kSnapshotText)
           + QStringLiteral(": ") + m_title + QLatin1Char(']');
}

void CWaveformData::Initialize(const QString& key, const CParameterList& parameters, int32_t detectLevel,
                               const std::shared_ptr<const CWaveformData>& reference)
{
    m_key = key;
    // A channel missing from the list leaves its table without a definition; the others bind.
    for (size_t channel = 0; channel < m_tables.size(); ++channel) {
        std::shared_ptr<CParameterDef> definition;
        com::ignoreFailure([&] { definition = parameters.Item(kChannelKeys[channel]); });
        m_tables[channel]->Initialize(std::move(definition), weak_from_this());
    }
    FlowTable()->setDetectLevel(static_cast<float>(detectLevel / 60.0));
    if (reference)
        for (size_t channel = 0; channel < m_tables.size(); ++channel)
            m_tables[channel]->CopySettingsFrom(reference->ChannelTables()[channel]);
}

void CWaveformData::DrawLatest()
{
    for (const auto& table : m_tables)
        table->DrawLatest();
}

void CWaveformData::Truncate()
{
    com::ignoreFailure([&] {
        // The new end is where the kept FLOW samples end; StartTime still counts the samples
        // before the cut. The FLOW table reads it while it cuts, so it is set first and taken
        // back when the window misses the data.
        const int32_t previousCreationTime = m_creationTime;
        const double windowEnd = std::min<double>(FlowTable()->Settings()->Xmax(), FlowTable()->Count());
        m_creationTime = format::toInt32(StartTime() + windowEnd / kSamplesPerSecond);
        if (!FlowTable()->Truncate())
            m_creationTime = previousCreationTime;
    });
    PressureTable()->Truncate();
    VolumeTable()->Truncate();
    for (const auto& table : m_tables)
        table->Redraw();
}

void CWaveformData::Freeze(int32_t endTime, int32_t offset)
{
    m_creationTime = endTime;
    com::ignoreFailure([&] {
        m_title = SecondsToTimeString(StartTime()) + QStringLiteral(" - ") + SecondsToTimeString(m_creationTime);
    });
    for (const auto& table : m_tables)
        table->Freeze(offset);
    m_stored = true;
}

std::shared_ptr<Nelvar::IXmlElement> CWaveformData::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            return nullptr;
        element->SetAttribute(kKeyAttribute, m_key);
        if (!m_title.isEmpty())
            element->AddChildElement(kTitleElement, m_title);
        if (!m_comment.isEmpty())
            element->AddChildElement(kCommentElement, m_comment);
        element->AddChildElement(kCreationTimeElement, Nelvar::utilityService().ValueToText(m_creationTime));
        for (const auto& table : m_tables)
            if (const auto tableElement = table->Save(document))
                element->AppendChild(tableElement);
        return element;
    } catch (...) {
        return nullptr;
    }
}

void CWaveformData::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    if (!element || element->TagName() != kElementName)
        return;
    const Nelvar::IXmlElement& record = *element;
    m_stored = true;
    // All three channels are snapshot channels, also those the record lacks.
    for (const auto& table : m_tables)
        table->setGraphType(ZeltorGraph::egtSnapshotGraph);
    m_key = record.GetAttribute(kKeyAttribute);
    Zeltor::records::readingRecord(QStringLiteral("Snapshot \"%1\"").arg(m_key), [&] {
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const auto child = children->Item(i);
            const QString tag = child->TagName();
            if (tag == kTitleElement)
                m_title = child->Text();
            else if (tag == kCommentElement)
                m_comment = child->Text();
            else if (tag == kCreationTimeElement)
                m_creationTime = Zeltor::records::wholeNumber(kCreationTimeElement, child->Text());
            else if (tag == kTableElement) {
                // A table of any other channel is not one of ours and is skipped.
                if (CZeltorMeasurementTable* table = tableOfKey(child->GetAttribute(kKeyAttribute)))
                    table->Load(child);
            }
        }
    });
}

void CWaveformData::Print(CSnapshotPrinter& printer, Nelvar::IReport& report) const
{
    for (const auto& table : m_tables)
        table->Print(printer, m_title, report);
}

} // namespace ZeltorTests
