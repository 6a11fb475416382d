#pragma once

#include "com/Object.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>

namespace Nelvar {
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorVTI {

// Predefined selections of a parameter view.
enum EPredefinedView : int32_t {
    epvRate = 1,
    epvTime = 2,
    epvVolume = 3,
    epvFlow = 4,
    epvPressure = 5,
    epvCPAPMeasurements = 6,
    epvEnvironment = 7,
};

inline const QString kParameterViewProgId = QStringLiteral("ZeltorVTI.CParameterView");
inline const QString kParameterViewClassId = QStringLiteral("{08CF2A43-715D-11D6-9B30-0050DA3393D8}");

// One parameter view of the instrument's display slots: a description and a selection of the
// breath parameters the instrument shows together. A new view is slot 0, empty, nothing selected.
class CParameterView final : public com::Object {
public:
    // The fifteen selections, in the order of the class's members.
    enum Selection : size_t {
        MinuteVolumeSel,
        OxygenLevelSel,
        PeepPressureSel,
        TemperatureSel,
        TidalVolumeSel,
        InspirationPeriodSel,
        ExpirationPeriodSel,
        IERatioSel,
        InspiratoryPeakPressureSel,
        MeanExpiratoryPressureSel,
        MeanInspiratoryPressureSel,
        InspiratoryPeakFlowSel,
        ExpiratoryPeakflowSel,
        BreathRateSel,
        InspiratoryHoldSel,
        SelectionCount,
    };

    int32_t SelectedCount() const;
    const QString& Description() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }
    int32_t SlotNumber() const { return m_slotNumber; }
    void setSlotNumber(int32_t slot) { m_slotNumber = slot; }

    bool Selected(Selection which) const { return m_selected[which]; }
    void setSelected(Selection which, bool value) { m_selected[which] = value; }

    bool MinuteVolume() const { return Selected(MinuteVolumeSel); }
    void setMinuteVolume(bool v) { setSelected(MinuteVolumeSel, v); }
    bool OxygenLevel() const { return Selected(OxygenLevelSel); }
    void setOxygenLevel(bool v) { setSelected(OxygenLevelSel, v); }
    bool PeepPressure() const { return Selected(PeepPressureSel); }
    void setPeepPressure(bool v) { setSelected(PeepPressureSel, v); }
    bool Temperature() const { return Selected(TemperatureSel); }
    void setTemperature(bool v) { setSelected(TemperatureSel, v); }
    bool TidalVolume() const { return Selected(TidalVolumeSel); }
    void setTidalVolume(bool v) { setSelected(TidalVolumeSel, v); }
    bool InspirationPeriod() const { return Selected(InspirationPeriodSel); }
    void setInspirationPeriod(bool v) { setSelected(InspirationPeriodSel, v); }
    bool ExpirationPeriod() const { return Selected(ExpirationPeriodSel); }
    void setExpirationPeriod(bool v) { setSelected(ExpirationPeriodSel, v); }
    bool IERatio() const { return Selected(IERatioSel); }
    void setIERatio(bool v) { setSelected(IERatioSel, v); }
    bool InspiratoryPeakPressure() const { return Selected(InspiratoryPeakPressureSel); }
    void setInspiratoryPeakPressure(bool v) { setSelected(InspiratoryPeakPressureSel, v); }
    bool MeanExpiratoryPressure() const { return Selected(MeanExpiratoryPressureSel); }
    void setMeanExpiratoryPressure(bool v) { setSelected(MeanExpiratoryPressureSel, v); }
    bool MeanInspiratoryPressure() const { return Selected(MeanInspiratoryPressureSel); }
    void setMeanInspiratoryPressure(bool v) { setSelected(MeanInspiratoryPressureSel, v); }
    bool InspiratoryPeakFlow() const { return Selected(InspiratoryPeakFlowSel); }
    void setInspiratoryPeakFlow(bool v) { setSelected(InspiratoryPeakFlowSel, v); }
    bool ExpiratoryPeakflow() const { return Selected(ExpiratoryPeakflowSel); }
    void setExpiratoryPeakflow(bool v) { setSelected(ExpiratoryPeakflowSel, v); }
    bool BreathRate() const { return Selected(BreathRateSel); }
    void setBreathRate(bool v) { setSelected(BreathRateSel, v); }
    bool InspiratoryHold() const { return Selected(InspiratoryHoldSel); }
    void setInspiratoryHold(bool v) { setSelected(InspiratoryHoldSel, v); }

    std::shared_ptr<CParameterView> Clone() const;
    void SetAllValues(bool value);
    // Selects exactly the parameters of a predefined view; another value changes nothing.
    void SetPredefinedViewRate(int32_t view);

    // Reads the selections from the child elements of `element`; slot and description stay.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A "ParameterView" element with one empty child per selected parameter.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& owner) const;

    // The parameters of the "#PPD" command: slot, description, then the key of every selected
    // parameter in the instrument's order.
    QStringList BuildUploadParameters() const;

private:
    int32_t m_slotNumber = 0;
    QString m_description;
    std::array<bool, SelectionCount> m_selected{};
};

} // namespace ZeltorVTI
