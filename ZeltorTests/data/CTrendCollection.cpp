#include "data/CTrendCollection.h"

#include "data/CTrend.h"
#include "data/CTrendPrinter.h"
#include "data/DataErrors.h"
#include "data/ReportHeading.h"

#include "ErrorPassing.h"
#include "RecordNames.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

#include <algorithm>

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CTrendCollection");
constexpr QLatin1String kElementName = Zeltor::RecordNames::kTrends;

} // namespace

CTrendCollection::Trends::const_iterator CTrendCollection::find(const QString& key) const
{
    return std::find_if(m_trends.begin(), m_trends.end(), [&](const std::shared_ptr<CTrend>& trend) {
        return trend->Key().compare(key, Qt::CaseInsensitive) == 0;
    });
}

std::shared_ptr<CTrend> CTrendCollection::Item(const QString& key) const
{
    const auto found = find(key);
    return found == m_trends.end() ? nullptr : *found;
}

std::shared_ptr<CTrend> CTrendCollection::LastTrend() const
{
    return m_trends.empty() ? nullptr : m_trends.back();
}

void CTrendCollection::append(std::shared_ptr<CTrend> trend)
{
    if (find(trend->Key()) != m_trends.end())
        throw com::Error::duplicateKey();
    m_trends.push_back(std::move(trend));
}

std::shared_ptr<CTrend> CTrendCollection::Add(const QString& key, const CParameterList& parameters)
{
    if (m_locked)
        return nullptr;
    auto trend = std::make_shared<CTrend>();
    trend->CreateParameters(key, parameters);
    append(trend);
    return trend;
}

void CTrendCollection::Remove(int32_t position)
{
    if (position >= 1 && position <= Count())
        m_trends.erase(m_trends.begin() + (position - 1));
}

void CTrendCollection::Remove(const QString& key)
{
    const auto found = find(key);
    if (found != m_trends.end())
        m_trends.erase(found);
}

void CTrendCollection::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters)
{
    try {
        const Nelvar::IXmlElement& record = com::required(element);
        if (record.TagName() != kElementName)
            Zeltor::raiseOwnError(eeTrendsWrongElement, kSource, 4);
        m_trends.clear();
        m_locked = false;
        const auto trends = record.ElementsNamed(Zeltor::RecordNames::kTrend);
        for (int32_t i = 0; i < trends->Count(); ++i) {
            auto trend = std::make_shared<CTrend>();
            trend->Load(trends->Item(i), parameters);
            append(std::move(trend));
        }
    } catch (...) {
        Zeltor::passOwnOrWrap(kSource);
    }
}

std::shared_ptr<Nelvar::IXmlElement> CTrendCollection::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    if (m_trends.empty())
        return nullptr;
    const auto element = com::required(document).CreateElement(kElementName);
    com::required(element).AddChildElement(QStringLiteral("TrendCount"), QString::number(Count()));
    for (const auto& trend : m_trends)
        if (const auto saved = trend->Save(document))
            element->AppendChild(saved);
    return element;
}

void CTrendCollection::PrintReport(Nelvar::IReport& report) const
{
    if (m_trends.empty())
        return;
    CTrendPrinter printer;
    com::ignoreFailure([&] { printReportHeading(report, QStringLiteral("Trend waveforms")); });
    for (const auto& trend : m_trends)
        com::ignoreFailure([&] { trend->Print(printer, report); });
}

} // namespace ZeltorTests
