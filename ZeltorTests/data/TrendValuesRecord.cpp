#include "TrendValuesRecord.h"

#include "MGlobalFunctions.h"
#include "RecordReading.h"

#include "HostServices.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Required.h"
#include "com/Value.h"
#include "format/Format.h"

namespace ZeltorTests {

namespace {

const QString kValuesElement = QStringLiteral("Values");
constexpr int kPairsPerChunk = 200;

// The value in hundredths as a signed decimal integer, rounded first to 2 decimals as a Single.
// A value whose hundredths leave the 32-bit range is written as 0, as rounding gives it.
QString hundredthsText(float value)
{
    const float rounded = MGlobalFunctions::RoundToDigits(value, 2);
    return QString::number(format::toInt32(static_cast<double>(rounded) * 100.0));
}

} // namespace

std::shared_ptr<Nelvar::IXmlElement> saveTrendValues(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                     const std::vector<TrendSample>& samples)
{
    const auto values = com::required(document).CreateElement(kValuesElement);
    if (!values)
        return nullptr;
    int32_t chunkNumber = 0;
    QStringList chunk;
    const auto writeChunk = [&] {
        const auto child = values->AddChildElement(QStringLiteral("SubString"), chunk.join(QLatin1Char(';')));
        child->SetAttribute(QStringLiteral("ID"), Nelvar::utilityService().ValueToText(++chunkNumber));
        chunk.clear();
    };
    for (const TrendSample& sample : samples) {
        chunk << hundredthsText(sample.min) + QLatin1Char(':') + hundredthsText(sample.max);
        if (chunk.size() == kPairsPerChunk)
            writeChunk();
    }
    if (!chunk.isEmpty())
        writeChunk();
    return values;
}

void readTrendValues(const Nelvar::IXmlElement& values, const std::function<void(const TrendSample&)>& add)
{
    if (values.TagName() != kValuesElement)
        return;
    QString joined;
    const auto children = values.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i)
        joined += children->Item(i)->Text() + QLatin1Char(';');
    const QStringList pieces = joined.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (qsizetype n = 0; n < pieces.size(); ++n) {
        const QString pair = QStringLiteral("Values pair %1").arg(n + 1);
        const QStringList parts = pieces[n].split(QLatin1Char(':'));
        if (parts.size() < 2)
            throw com::Error(com::errSubscript, {},
                             QStringLiteral("%1 is \"%2\", not minimum:maximum").arg(pair, records::shownText(pieces[n])));
        add({records::hundredths(pair + QStringLiteral(" minimum"), parts[0]),
             records::hundredths(pair + QStringLiteral(" maximum"), parts[1])});
    }
}

} // namespace ZeltorTests
