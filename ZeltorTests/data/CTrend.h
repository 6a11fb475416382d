#pragma once

#include "GraphInterfaces.h"

#include "com/Failure.h"
#include "com/KeyedCollection.h"
#include "com/Required.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace Nelvar {
class IReport;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CMeasurement;
class CParameterList;
class CTrendParameter;
class CTrendPrinter;

// One trend recording of a run: per sampling interval the minimum and maximum of every breath
// parameter, held by one trend parameter per parameter key. Samples are taken by the owner when
// the run's elapsed seconds are a multiple of the interval; the trend treats them as equally
// spaced from its start time. Persisted as "Trend".
class CTrend final : public ZeltorGraph::IGraphDataParent, public std::enable_shared_from_this<CTrend> {
public:
    using Parameters = com::KeyedCollection<std::shared_ptr<CTrendParameter>>;

    // Sets the key and makes one trend parameter per selected breath parameter of the list, in
    // list order, under its parameter key. The parameters refer back to the trend when it is held
    // by a shared_ptr.
    void CreateParameters(const QString& key, const CParameterList& parameters);
    void Initialize(const QString& title, int32_t interval, int32_t startTime);

    // The trend parameter at that 1-based position or under that key; an unknown one raises the
    // collection's error (9).
    const std::shared_ptr<CTrendParameter>& Parameter(int32_t position) const { return m_parameters.Item(position); }
    const std::shared_ptr<CTrendParameter>& Parameter(const QString& key) const { return m_parameters.Item(key); }
    Parameters::Iterator begin() const { return m_parameters.begin(); }
    Parameters::Iterator end() const { return m_parameters.end(); }

    // Takes one sample from the measurements of a calculation set (any range of
    // shared_ptr<CMeasurement>): each measurement's minimum and maximum go to the trend parameter
    // of its key (a measurement without one is skipped), the sample count rises by one and the
    // AddSample listener is called before this returns. Whether the trend records is the
    // caller's concern. A failing step is skipped and the rest goes on.
    template <typename Measurements>
    void AddSample(const Measurements& measurements)
    {
        for (const auto& measurement : measurements)
            com::ignoreFailure([&] { addPair(com::required(measurement)); });
        completeSample();
    }
    // Called after every sample; none by default.
    void setAddSampleListener(std::function<void()> listener) { m_addSampleListener = std::move(listener); }

    void Start() { m_active = true; }
    void Stop() { m_active = false; }
    bool Active() const { return m_active; }

    int32_t SampleCount() const { return m_sampleCount; }
    int32_t Interval() const { return m_interval; }
    int32_t StartTime() const { return m_startTime; }
    void setStartTime(int32_t seconds) { m_startTime = seconds; }
    // Start time + sample count x interval; beyond the 32-bit range raises overflow (6).
    int32_t EndTime() const;

    void setTitle(const QString& title) { m_title = title; }
    void setComment(const QString& comment) { m_comment = comment; }
    // "[Trend: title]", translated.
    QString DisplayTitle() const;
    // Set by Load and by the result record while it feeds this trend's calculation set.
    bool BPMHasChanged() const { return m_bpmHasChanged; }
    void setBPMHasChanged(bool value) { m_bpmHasChanged = value; }

    // Prints the graph block of every parameter whose print flag is set, in collection order.
    void Print(CTrendPrinter& printer, Nelvar::IReport& report) const;

    // Reads a "Trend" element (another one is ignored) into a fresh trend: its parameters are the
    // ones the list selects now, so a stored parameter the list does not select is skipped. A part
    // that cannot be read (a start time or interval beyond 32 bits, a parameter's samples or
    // settings) raises, the description naming the trend and the parameter, rather than the rest
    // of the trend being lost.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters);
    // A "Trend" element (not appended); none for a trend without parameters. A document that
    // gives no element raises 0x8004A400; other failures reach the caller.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

    // IGraphDataParent
    ZeltorGraph::EZeltorGraphType ParentType() const override { return ZeltorGraph::egtTrendGraph; }
    QString Key() const override { return m_key; }
    QString Title() const override { return m_title; }
    QString Comment() const override { return m_comment; }

private:
    void addPair(const CMeasurement& measurement);
    void completeSample();
    void loadChild(const std::shared_ptr<Nelvar::IXmlElement>& child);

    Parameters m_parameters;
    QString m_key;
    int32_t m_startTime = 0;
    int32_t m_interval = 0;
    bool m_active = false;
    int32_t m_sampleCount = 0;
    QString m_title;
    QString m_comment;
    bool m_bpmHasChanged = false;
    std::function<void()> m_addSampleListener;
};

} // namespace ZeltorTests
