#include "LanguageService.h"

#include <algorithm>

namespace host {

namespace {

const QLatin1StringView kKeySeparator("::");

struct LanguageKey {
    QString lookup;      // the number, or the whole plain text
    QString defaultText; // what is shown without a translation
};

// "NNNNN::Default text" splits at the first "::" after the digits; anything else is plain text.
LanguageKey parseKey(const QString& key)
{
    const qsizetype separator = key.indexOf(kKeySeparator);
    if (separator > 0) {
        const QStringView number = QStringView(key).left(separator);
        if (std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }))
            return {number.toString(), key.mid(separator + kKeySeparator.size())};
    }
    return {key, key};
}

// One pass, so that an argument holding "%%2" is not substituted again.
QString substituteArguments(const QString& text, const QStringList& arguments)
{
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(text).sliced(i).startsWith(u"%%")) {
            qsizetype end = i + 2;
            while (end < text.size() && text[end].isDigit())
                ++end;
            bool ok = false;
            const qsizetype index = QStringView(text).mid(i + 2, end - i - 2).toLongLong(&ok);
            if (ok && index >= 1 && index <= arguments.size()) {
                result += arguments[index - 1];
                i = end;
                continue;
            }
        }
        result += text[i++];
    }
    return result;
}

} // namespace

QString LanguageService::GetText(const QString& product, const QString& key, const QStringList& arguments)
{
    const LanguageKey parsed = parseKey(key);
    QString text = parsed.defaultText;
    if (const auto table = m_tables.find(product.toCaseFolded()); table != m_tables.end())
        text = table->second.text(parsed.lookup).value_or(text);
    return substituteArguments(text, arguments);
}

void LanguageService::loadTranslations(const QString& product, const QString& path)
{
    m_tables.insert_or_assign(product.toCaseFolded(), TranslationTable::fromFile(path));
}

} // namespace host
