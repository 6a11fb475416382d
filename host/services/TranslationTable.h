#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace host {

// The translated texts of one product, by key: the number of a language key ("20011") or a
// plain English text. A language file is UTF-8 text with one "key<TAB>text" entry per line;
// blank lines and lines starting with "#" are skipped, and "\n", "\r", "\t" and "\\" in a key
// or text stand for a line feed, carriage return, tab and backslash.
class TranslationTable {
public:
    // Raises 53 for a missing file, 75 for one that cannot be read, and
    // errors::kLanguageFileMalformed (with the line number) for a line without a tab.
    static TranslationTable fromFile(const QString& path);

    std::optional<QString> text(const QString& key) const;

private:
    QHash<QString, QString> m_texts;
};

} // namespace host
