#include "TranslationTable.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <QFile>
#include <QFileInfo>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.LanguageService");

QString unescaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        switch (text[++i].unicode()) {
        case 'n': result += QLatin1Char('\n'); break;
        case 'r': result += QLatin1Char('\r'); break;
        case 't': result += QLatin1Char('\t'); break;
        case '\\': result += QLatin1Char('\\'); break;
        default: result += c; result += text[i]; break;
        }
    }
    return result;
}

} // namespace

TranslationTable TranslationTable::fromFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        errors::raise(com::errFileNotFound, kSource, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        errors::raise(errors::kPathFileAccess, kSource, path + QStringLiteral(": ") + file.errorString());

    TranslationTable table;
    const QString content = QString::fromUtf8(file.readAll());
    int lineNumber = 0;
    for (QStringView line : QStringView(content).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            errors::raise(errors::kLanguageFileMalformed, kSource,
                          QStringLiteral("%1, line %2").arg(path).arg(lineNumber));
        table.m_texts.insert(unescaped(line.left(tab)), unescaped(line.mid(tab + 1)));
    }
    return table;
}

std::optional<QString> TranslationTable::text(const QString& key) const
{
    const auto it = m_texts.constFind(key);
    if (it == m_texts.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace host
