#include "CParameterView.h"

#include "VtiTypes.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "Xml.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ZeltorVTI {

namespace {

using Sel = CParameterView::Selection;

constexpr int32_t kErrCannotCreateElement = static_cast<int32_t>(0x8004A3C3);

struct SelectionName {
    Sel selection;
    const char* xmlName;
};

// Child element names, in the order a saved view writes them.
constexpr std::array<SelectionName, CParameterView::SelectionCount> kXmlOrder{{
    {CParameterView::BreathRateSel, "BreathRate"},
    {CParameterView::TidalVolumeSel, "TidalVolume"},
    {CParameterView::InspiratoryPeakFlowSel, "InspiratoryPeakFlow"},
    {CParameterView::InspiratoryPeakPressureSel, "InspiratoryPeakPressure"},
    {CParameterView::PeepPressureSel, "PeepPressure"},
    {CParameterView::MeanInspiratoryPressureSel, "MeanInspiratoryPressure"},
    {CParameterView::MinuteVolumeSel, "MinuteVolume"},
    {CParameterView::IERatioSel, "IERatio"},
    {CParameterView::InspiratoryHoldSel, "InspiratoryHold"},
    {CParameterView::InspirationPeriodSel, "InspirationPeriod"},
    {CParameterView::ExpirationPeriodSel, "ExpirationPeriod"},
    {CParameterView::ExpiratoryPeakflowSel, "ExpiratoryPeakFlow"},
    {CParameterView::TemperatureSel, "Temperature"},
    {CParameterView::OxygenLevelSel, "OxygenLevel"},
    {CParameterView::MeanExpiratoryPressureSel, "MeanExpiratoryPressure"},
}};

// Parameter keys, in the order the instrument expects them in an upload.
const std::array<std::pair<Sel, QString>, CParameterView::SelectionCount>& uploadOrder()
{
    using namespace Zeltor;
    static const std::array<std::pair<Sel, QString>, CParameterView::SelectionCount> order{{
        {CParameterView::BreathRateSel, Keys::BRRA},
        {CParameterView::ExpirationPeriodSel, Keys::EXPE},
        {CParameterView::ExpiratoryPeakflowSel, Keys::EXPF},
        {CParameterView::IERatioSel, Keys::IERA},
        {CParameterView::InspirationPeriodSel, Keys::INPE},
        {CParameterView::InspiratoryHoldSel, Keys::INHO},
        {CParameterView::InspiratoryPeakFlowSel, Keys::INPF},
        {CParameterView::InspiratoryPeakPressureSel, Keys::INPP},
        {CParameterView::MeanExpiratoryPressureSel, Keys::MEEP},
        {CParameterView::MeanInspiratoryPressureSel, Keys::MEIP},
        {CParameterView::MinuteVolumeSel, Keys::MIVO},
        {CParameterView::OxygenLevelSel, Keys::OXLE},
        {CParameterView::PeepPressureSel, Keys::PEPR},
        {CParameterView::TemperatureSel, Keys::TEMP},
        {CParameterView::TidalVolumeSel, Keys::TIVO},
    }};
    return order;
}

struct PredefinedView {
    int32_t view;
    std::vector<Sel> selections;
};

const std::vector<PredefinedView>& predefinedViews()
{
    static const std::vector<PredefinedView> views{
        {epvRate, {CParameterView::BreathRateSel, CParameterView::IERatioSel}},
        {epvTime, {CParameterView::InspirationPeriodSel, CParameterView::ExpirationPeriodSel, CParameterView::IERatioSel}},
        {epvVolume, {CParameterView::MinuteVolumeSel, CParameterView::TidalVolumeSel}},
        {epvFlow, {CParameterView::InspiratoryPeakFlowSel, CParameterView::ExpiratoryPeakflowSel}},
        {epvPressure, {CParameterView::PeepPressureSel, CParameterView::InspiratoryPeakPressureSel}},
        {epvCPAPMeasurements, {CParameterView::MeanExpiratoryPressureSel, CParameterView::MeanInspiratoryPressureSel}},
        {epvEnvironment, {CParameterView::OxygenLevelSel, CParameterView::TemperatureSel}},
    };
    return views;
}

} // namespace

int32_t CParameterView::SelectedCount() const
{
    return static_cast<int32_t>(std::count(m_selected.begin(), m_selected.end(), true));
}

std::shared_ptr<CParameterView> CParameterView::Clone() const
{
    return std::make_shared<CParameterView>(*this);
}

void CParameterView::SetAllValues(bool value)
{
    m_selected.fill(value);
}

void CParameterView::SetPredefinedViewRate(int32_t view)
{
    const auto& views = predefinedViews();
    const auto it = std::find_if(views.begin(), views.end(), [&](const PredefinedView& p) { return p.view == view; });
    if (it == views.end())
        return;
    m_selected.fill(false);
    for (const Sel selection : it->selections)
        m_selected[selection] = true;
}

void CParameterView::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    try {
        m_selected.fill(false);
        if (!element)
            throw com::Error::objectNotSet();
        const auto children = element->ChildElements();
        for (int32_t i = 0; i < children->Count(); ++i) {
            const QString tag = children->Item(i)->TagName();
            for (const auto& [selection, xmlName] : kXmlOrder)
                if (tag == QLatin1String(xmlName))
                    m_selected[selection] = true;
        }
    } catch (...) {
        Zeltor::passOwnOrWrap(kSourceParameterView);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CParameterView::Save(const std::shared_ptr<Nelvar::IXmlDocument>& owner) const
{
    try {
        if (!owner)
            throw com::Error::objectNotSet();
        auto view = owner->CreateElement(QStringLiteral("ParameterView"));
        if (!view)
            Nelvar::errorService().RaiseError(Zeltor::kProduct, kErrCannotCreateElement, kSourceParameterView, 3);
        for (const auto& [selection, xmlName] : kXmlOrder)
            if (m_selected[selection])
                view->AppendChild(owner->CreateElement(QString::fromLatin1(xmlName)));
        return view;
    } catch (...) {
        Zeltor::passOwnOrWrap(kSourceParameterView);
    }
}

QStringList CParameterView::BuildUploadParameters() const
{
    QStringList parameters{QString::number(m_slotNumber), m_description};
    for (const auto& [selection, key] : uploadOrder())
        if (m_selected[selection])
            parameters.append(key);
    return parameters;
}

} // namespace ZeltorVTI
