#pragma once

#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "widgets/TreeListModel.h"

#include <QString>
#include <QStringList>

#include <memory>

// The records the full-screen view and its menu list, made as a run makes them.
namespace FullscreenRecords {

// A trend of the parameters the list selects, added to the collection and sampling every 10 s.
inline std::shared_ptr<ZeltorTests::CTrend> addTrend(ZeltorTests::CTrendCollection& trends, const QString& key,
                                                     const QString& title,
                                                     const ZeltorTests::CParameterList& parameters)
{
    auto trend = trends.Add(key, parameters);
    trend->Initialize(title, 10, 0);
    return trend;
}

// A waveform of two seconds on every channel, frozen at second `endTime` into a snapshot.
inline std::shared_ptr<ZeltorTests::CWaveformData> frozenSnapshot(const QString& key,
                                                                  const ZeltorTests::CParameterList& parameters,
                                                                  int32_t endTime)
{
    auto snapshot = ZeltorTests::CWaveformData::create();
    snapshot->Initialize(key, parameters, 9000);
    for (int sample = 0; sample < 100; ++sample)
        for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
            table->AddValue(static_cast<float>(sample % 20));
    snapshot->Freeze(endTime, 100);
    return snapshot;
}

// The entry that holds that record; -1 when none does.
inline int indexOfRecord(const widgets::TreeListModel& list, const com::Object* record)
{
    for (int index = 0; index < list.count(); ++index)
        if (list.data(index).get() == record)
            return index;
    return -1;
}

// The tree as "level text" lines, in index order.
inline QStringList treeLines(const widgets::TreeListModel& list)
{
    QStringList lines;
    for (int index = 0; index < list.count(); ++index)
        lines << QStringLiteral("%1 %2").arg(list.level(index)).arg(list.text(index));
    return lines;
}

} // namespace FullscreenRecords
