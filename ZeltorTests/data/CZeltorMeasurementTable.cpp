#include "data/CZeltorMeasurementTable.h"

#include "data/CGraphSettings.h"
#include "data/CParameterDef.h"
#include "data/CSnapshotPrinter.h"
#include "data/CWaveformData.h"
#include "RecordReading.h"

#include "Converter.h"
#include "ParameterKeys.h"
#include "RecordNames.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "com/Value.h"
#include "format/Format.h"

#include <QScopeGuard>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kMeasurementTable;
const QString kKeyAttribute = QStringLiteral("Key");
const QString kPrintOnReportElement = QStringLiteral("PrintOnReport");
const QString kGraphSettingsElement = QStringLiteral("GraphSettings");
const QString kDataElement = QStringLiteral("Data");
const QString kTrue = QStringLiteral("True");
const QChar kDataSeparator = QLatin1Char(';');

// The volume channel holds litres, as the tidal volume does. Its packets carry the whole
// millilitres of the flow integration. Its records hold centilitres, in "Data" (in hundredths, as
// every channel) and in the Y range of its graph settings: the form volume records have always
// had, so records of any age load alike.
constexpr float kVolumeRawScale = 0.001f;
constexpr double kStoredVolumePerLitre = 100.0;

// An end of a graph's Y range taken from one unit into another, `from` of which make `to`; kept
// within the Single range.
float convertedYEnd(float value, double from, double to)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(static_cast<double>(value) * to / from, -kLargest, kLargest));
}

// An end of the Y range as a record holds it, `storedPerBaseUnit` record units to the base unit:
// of the Singles that read back as `value`, the one with the shortest text, so that a record read
// and written again keeps its bytes.
float storedYEnd(float value, double storedPerBaseUnit)
{
    const auto readsBack = [&](float stored) { return convertedYEnd(stored, storedPerBaseUnit, 1.0) == value; };
    const auto textLength = [](float stored) { return format::valueToText(com::Value(stored)).size(); };
    const float nearest = convertedYEnd(value, 1.0, storedPerBaseUnit);
    float stored = nearest;
    for (const float neighbour : {std::nextafter(nearest, -HUGE_VALF), std::nextafter(nearest, HUGE_VALF)}) {
        if (readsBack(neighbour) && (!readsBack(stored) || textLength(neighbour) < textLength(stored)))
            stored = neighbour;
    }
    return stored;
}

// A raw packet value in the channel's base unit, rounded to four decimals.
float scaledRaw(int32_t raw, float scale)
{
    return format::roundToDigits(static_cast<float>(static_cast<double>(raw) * scale), 4);
}

// How a stored value is written into "Data": in hundredths, the nearest whole number with halves
// to even. The text takes 64-bit numbers and saturates beyond them, so no sample can fail the
// record.
int64_t hundredthsOf(double storedValue)
{
    const double hundredths = std::nearbyint(storedValue * 100.0);
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (std::isnan(hundredths))
        return 0;
    if (hundredths >= kLimit)
        return std::numeric_limits<int64_t>::max();
    if (hundredths < -kLimit)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(hundredths);
}

} // namespace

std::shared_ptr<CZeltorMeasurementTable> CZeltorMeasurementTable::create()
{
    return std::make_shared<CZeltorMeasurementTable>(Passkey());
}

CZeltorMeasurementTable::CZeltorMeasurementTable(Passkey) : m_settings(std::make_shared<CGraphSettings>()) {}

void CZeltorMeasurementTable::Initialize(std::shared_ptr<CParameterDef> definition, std::weak_ptr<CWaveformData> parent)
{
    m_graphType = ZeltorGraph::egtWaveformGraph;
    m_definition = std::move(definition);
    m_parent = std::move(parent);
    m_converter = m_definition ? m_definition->Converter() : nullptr;
    m_volumeChannel = Key() == Zeltor::Keys::VOLU;
    m_settings = std::make_shared<CGraphSettings>();
    m_settings->setShowDetectLevel(Key() == Zeltor::Keys::FLOW);
}

QString CZeltorMeasurementTable::Key() const { return m_definition ? m_definition->Key() : QString(); }

QString CZeltorMeasurementTable::Caption(bool fTranslate) const
{
    return m_definition ? m_definition->Caption(fTranslate) : QString();
}

float CZeltorMeasurementTable::sampleAt(int32_t k) const
{
    if (k < 0 || k >= m_count)
        throw com::Error::subscript();
    return m_samples[static_cast<size_t>((m_first + k) % kRingSize)];
}

float CZeltorMeasurementTable::packetScale(int16_t resolution) const
{
    if (m_volumeChannel)
        return kVolumeRawScale;
    return resolution < 3 ? 0.1f : 0.01f;
}

double CZeltorMeasurementTable::storedPerBaseUnit() const
{
    return m_volumeChannel ? kStoredVolumePerLitre : 1.0;
}

float CZeltorMeasurementTable::displayValue(float baseValue) const
{
    return m_converter ? m_converter->ConvertFromInternalUnit(baseValue) : baseValue;
}

int32_t CZeltorMeasurementTable::parentStartTime() const
{
    const auto parent = m_parent.lock();
    return parent ? parent->StartTime() : 0;
}

std::vector<float> CZeltorMeasurementTable::Values(bool fConvert) const
{
    std::vector<float> values;
    values.reserve(static_cast<size_t>(m_count));
    for (int32_t k = 0; k < m_count; ++k)
        values.push_back(fConvert ? displayValue(sampleAt(k)) : sampleAt(k));
    return values;
}

void CZeltorMeasurementTable::AddValue(float value)
{
    if (m_count < kRingSize) {
        m_samples[static_cast<size_t>(m_count)] = value;
        ++m_count;
    } else {
        m_samples[static_cast<size_t>(m_first)] = value;
        m_first = (m_first + 1) % kRingSize;
    }
    m_lastValue = value;
}

void CZeltorMeasurementTable::AddPacket(int32_t sequence, int32_t raw1, int32_t raw2, int16_t resolution)
{
    const float scale = packetScale(resolution);
    const float first = scaledRaw(raw1, scale);
    // A sequence number outside 0 to 9 comes from corrupt bytes: it fills nothing, and the
    // expected sequence moves on as if it had matched.
    const bool sequenceValid = sequence >= 0 && sequence <= 9;
    if (sequenceValid && sequence != m_expectedSequence) {
        const int32_t lostPackets = (sequence - m_expectedSequence + 10) % 10;
        const int32_t fill = 2 * lostPackets;
        // The last filled sample equals `first`, which is then stored once more as the packet's own.
        const auto step = static_cast<float>((static_cast<double>(first) - m_lastPacketValue) / fill);
        for (int32_t k = 1; k <= fill; ++k)
            AddValue(static_cast<float>(static_cast<double>(m_lastPacketValue) + static_cast<double>(step) * k));
    }
    AddValue(first);
    const float second = scaledRaw(raw2, scale);
    AddValue(second);
    m_lastPacketValue = second;
    m_expectedSequence = ((sequenceValid ? sequence : m_expectedSequence) + 1) % 10;
}

void CZeltorMeasurementTable::DrawLatest()
{
    const auto pipeline = m_pipeline;
    if (!pipeline || m_count < 2)
        return;
    com::ignoreFailure([&] {
        pipeline->DrawValue(displayValue(sampleAt(m_count - 2)), 0.0f);
        pipeline->DrawValue(displayValue(sampleAt(m_count - 1)), 0.0f);
    });
}

void CZeltorMeasurementTable::Redraw()
{
    // A local reference: a pipeline that releases itself from inside a call stays alive until the
    // redraw is done. Every step runs even when an earlier one failed, so the update stays paired.
    const auto pipeline = m_pipeline;
    if (!pipeline)
        return;
    com::ignoreFailure([&] { pipeline->Clear(); });
    com::ignoreFailure([&] { pipeline->Initialize(nullptr, shared_from_this(), 0); });
    com::ignoreFailure([&] { pipeline->BeginUpdate(); });
    com::ignoreFailure([&] {
        for (int32_t k = 0; k < m_count; ++k)
            pipeline->DrawValue(displayValue(sampleAt(k)), 0.0f);
    });
    com::ignoreFailure([&] {
        pipeline->SetXScale(format::toInt32(m_settings->Xmin()),
                            format::toInt32(static_cast<double>(m_settings->Xmax()) - m_settings->Xmin()),
                            m_settings->AutoScaleX());
    });
    com::ignoreFailure([&] {
        pipeline->SetYScale(m_settings->Ymin(), static_cast<double>(m_settings->Ymax()) - m_settings->Ymin(),
                            m_settings->AutoScaleY());
    });
    com::ignoreFailure([&] { pipeline->EndUpdate(); });
}

bool CZeltorMeasurementTable::Truncate()
{
    const double xmin = std::nearbyint(static_cast<double>(m_settings->Xmin()));
    const double xmax = m_settings->Xmax();
    const double newest = m_count - 1;
    const double last = xmax < m_count ? std::min(std::nearbyint(xmax), newest) : newest;
    // Written so that a NaN bound also leaves the data as it is.
    if (!(xmin >= 0.0 && xmin <= last))
        return false;
    const auto start = static_cast<int32_t>(xmin);
    const int32_t n = static_cast<int32_t>(last) - start; // the kept samples are n + 1
    std::array<float, kRingSize> kept{};
    for (int32_t k = 0; k <= n; ++k)
        kept[static_cast<size_t>(k)] = sampleAt(start + k);
    m_samples = kept;
    m_first = 0;
    m_count = n + 1;
    m_lastValue = kept[static_cast<size_t>(n)];
    m_settings->setXmin(0.0f);
    // The window ends one below the newest kept sample (index n).
    m_settings->setXmax(static_cast<float>(n - 1));
    // The frozen window's reach beyond the data belongs to the data that was cut away.
    m_xOffset = 0;
    if (const auto pipeline = m_pipeline)
        com::ignoreFailure([&] { pipeline->SetGraphSettings(parentStartTime(), m_count, 0); });
    return true;
}

void CZeltorMeasurementTable::Freeze(int32_t offset)
{
    m_graphType = ZeltorGraph::egtSnapshotGraph;
    const double shift = static_cast<double>(m_count) - offset;
    m_settings->setAutoScaleX(false);
    m_settings->setXmin(static_cast<float>(m_settings->Xmin() + shift));
    m_settings->setXmax(static_cast<float>(m_settings->Xmax() + shift));
    com::ignoreFailure([&] { m_xOffset = format::toInt32(static_cast<double>(m_settings->Xmax()) - m_count); });
    m_settings->setAutoScaleY(m_settings->Ymin() == m_settings->Ymax());
}

void CZeltorMeasurementTable::CopySettingsFrom(const std::shared_ptr<ZeltorGraph::IGraphData>& other)
{
    com::ignoreFailure([&] {
        const auto source = other ? other->Settings() : nullptr;
        if (!source)
            return;
        m_settings->setAutoScaleX(source->AutoScaleX());
        m_settings->setAutoScaleY(source->AutoScaleY());
        m_settings->setShowDetectLevel(source->ShowDetectLevel());
        m_settings->setShowLimits(source->ShowLimits());
        m_settings->setShowMax(source->ShowMax());
        m_settings->setShowMin(source->ShowMin());
        m_settings->setXmax(source->Xmax());
        m_settings->setXmin(source->Xmin());
        m_settings->setYmax(source->Ymax());
        m_settings->setYmin(source->Ymin());
    });
}

QString CZeltorMeasurementTable::dataText() const
{
    QStringList pieces;
    pieces.reserve(m_count);
    for (int32_t k = 0; k < m_count; ++k)
        pieces << QString::number(hundredthsOf(static_cast<double>(sampleAt(k)) * storedPerBaseUnit()));
    return pieces.join(kDataSeparator);
}

void CZeltorMeasurementTable::appendDataText(const QString& text)
{
    QStringList pieces = text.split(kDataSeparator);
    // A separator after the last sample ends nothing.
    if (pieces.back().isEmpty())
        pieces.removeLast();
    for (qsizetype n = 0; n < pieces.size(); ++n)
        AddValue(Zeltor::records::hundredths(QStringLiteral("Data piece %1").arg(n + 1), pieces[n],
                                             storedPerBaseUnit()));
}

std::shared_ptr<Nelvar::IXmlElement> CZeltorMeasurementTable::Save(
    const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    try {
        const auto element = com::required(document).CreateElement(kElementName);
        if (!element)
            return nullptr;
        element->SetAttribute(kKeyAttribute, com::required(m_definition).Key());
        if (m_printOnReport)
            element->AddChildElement(kPrintOnReportElement, kTrue);
        CGraphSettings stored = *m_settings;
        stored.setYmin(storedYEnd(m_settings->Ymin(), storedPerBaseUnit()));
        stored.setYmax(storedYEnd(m_settings->Ymax(), storedPerBaseUnit()));
        if (const auto settings = stored.Save(document))
            element->AppendChild(settings);
        element->AddChildElement(kDataElement, dataText());
        return element;
    } catch (...) {
        return nullptr;
    }
}

void CZeltorMeasurementTable::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    if (!element || element->TagName() != kElementName)
        return;
    const Nelvar::IXmlElement& record = *element;
    // A loaded table is a snapshot table, also when the record fails part-way.
    m_graphType = ZeltorGraph::egtSnapshotGraph;
    Zeltor::records::readingRecord(QStringLiteral("channel %1").arg(Key()), [&] {
        const auto children = record.ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const auto child = children->Item(i);
            const QString tag = child->TagName();
            if (tag == kPrintOnReportElement)
                m_printOnReport = child->Text() == kTrue;
            else if (tag == kGraphSettingsElement)
                loadSettings(child);
            else if (tag == kDataElement)
                appendDataText(child->Text());
        }
    });
}

void CZeltorMeasurementTable::loadSettings(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    // Also a Y range read before the element fails part-way is taken into the base unit.
    const auto toBaseUnit = qScopeGuard([this] {
        m_settings->setYmin(convertedYEnd(m_settings->Ymin(), storedPerBaseUnit(), 1.0));
        m_settings->setYmax(convertedYEnd(m_settings->Ymax(), storedPerBaseUnit(), 1.0));
    });
    m_settings->Load(element);
}

std::shared_ptr<ZeltorGraph::IGraphDataParent> CZeltorMeasurementTable::Parent() const { return m_parent.lock(); }

QString CZeltorMeasurementTable::Title() const
{
    const auto parent = m_parent.lock();
    return Caption(true) + QLatin1Char(' ') + (parent ? parent->DisplayTitle() : QString());
}

QString CZeltorMeasurementTable::Unit() const
{
    return m_definition ? m_definition->DisplayUnitText() : QString();
}

std::shared_ptr<ZeltorGraph::IGraphSettings> CZeltorMeasurementTable::Settings() const { return m_settings; }

void CZeltorMeasurementTable::SyncXScale(int32_t iMinX, int32_t iMaxX, bool fAutoScaleX)
{
    const auto apply = [&](ZeltorGraph::IGraphSettings& settings) {
        settings.setAutoScaleX(fAutoScaleX);
        settings.setXmin(static_cast<float>(iMinX));
        settings.setXmax(static_cast<float>(iMaxX));
    };
    const auto parent = m_parent.lock();
    if (!parent) {
        apply(*m_settings);
        return;
    }
    for (const auto& table : parent->ChannelTables())
        apply(*table->Settings());
}

void CZeltorMeasurementTable::HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline)
{
    m_pipeline = igpPipeline;
    com::ignoreFailure([&] {
        ZeltorGraph::IGraphPipeline& pipeline = com::required(igpPipeline);
        if (Key() == Zeltor::Keys::FLOW)
            pipeline.SetDetectLevel(displayValue(m_detectLevel));
        if (m_graphType == ZeltorGraph::egtSnapshotGraph) {
            pipeline.SetGraphSettings(parentStartTime(), m_count, m_xOffset);
            Redraw();
        } else if (m_graphType == ZeltorGraph::egtWaveformGraph) {
            const CParameterDef::Scale scale = com::required(m_definition).ScaleRange();
            pipeline.SetScaleBoundaries(displayValue(scale.Min), displayValue(scale.Span));
        }
    });
}

void CZeltorMeasurementTable::ReleasePipeline(bool fStoreSettings)
{
    const auto pipeline = std::exchange(m_pipeline, nullptr);
    if (pipeline && fStoreSettings)
        com::ignoreFailure([&] { pipeline->StoreSettings(m_settings); });
}


void CZeltorMeasurementTable::Print(CSnapshotPrinter& printer, const QString& title, Nelvar::IReport& report) const
{
    if (!m_printOnReport)
        return;
    com::ignoreFailure([&] {
        const CWaveformData& snapshot = com::required(m_parent.lock());
        printer.PrintSnapshot(*this, title, snapshot.StartTime(), snapshot.Length(), report);
    });
}

} // namespace ZeltorTests
