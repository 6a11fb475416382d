#pragma once

#include "TranslationTable.h"

#include "HostServices.h"

#include <map>

namespace host {

// Translates language keys ("20011::Ventilator test") by their number and plain English texts
// by the text itself, from the translation table loaded for the product; without a table or an
// entry, the default text after "::" (or the plain text) is the answer. "%%1", "%%2", ... are
// then replaced by the arguments; a placeholder without an argument stays as it is.
class LanguageService : public Nelvar::ILanguageService {
public:
    QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) override;

    // Makes the texts of a language file (see TranslationTable) the product's translations,
    // replacing those it had. On failure the product keeps its previous table.
    void loadTranslations(const QString& product, const QString& path);

private:
    std::map<QString, TranslationTable> m_tables; // by case-folded product key
};

} // namespace host
