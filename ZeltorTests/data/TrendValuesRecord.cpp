#include "data/TrendValuesRecord.h"

#include "HostServices.h"
#include "RecordReading.h"
#include "Xml.h"

#include "com/Error.h"
#include "com/Required.h"
#include "com/Value.h"
#include "format/Format.h"

#include <QStringTokenizer>

namespace ZeltorTests {

namespace {

const QString kValuesElement = QStringLiteral("Values");
constexpr int kPairsPerChunk = 200;

// The value in hundredths as a signed decimal integer, rounded first to 2 decimals as a Single.
// A value whose hundredths leave the 32-bit range is written as 0, as rounding gives it.
QString hundredthsText(float value)
{
    const float rounded = format::roundToDigits(value, 2);
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
    // Each child's text ends at a ";" of its own, so no pair runs from one child into the next.
    qsizetype pairNumber = 0;
    const auto children = values.ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i) {
        const QString text = children->Item(i)->Text();
        for (const QStringView piece : QStringTokenizer(text, QLatin1Char(';'), Qt::SkipEmptyParts)) {
            ++pairNumber;
            const auto pairName = [&] { return QStringLiteral("Values pair %1").arg(pairNumber); };
            const qsizetype colon = piece.indexOf(QLatin1Char(':'));
            if (colon < 0)
                Zeltor::records::refuse(com::errSubscript, pairName, piece, QStringLiteral("not minimum:maximum"));
            // Whatever follows a second ":" is not read.
            const QStringView rest = piece.mid(colon + 1);
            add({Zeltor::records::hundredths([&] { return pairName() + QStringLiteral(" minimum"); },
                                             piece.first(colon)),
                 Zeltor::records::hundredths([&] { return pairName() + QStringLiteral(" maximum"); },
                                             rest.left(rest.indexOf(QLatin1Char(':'))))});
        }
    }
}

} // namespace ZeltorTests
