#pragma once

#include "com/Error.h"
#include "com/Object.h"
#include "com/Value.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace Nelvar {

class IXmlService;

// Raises application errors and passes run-time errors on. None of its raising members returns.
class IErrorService : public virtual com::Object {
public:
    // Raises application error `number` with the product key, source and flags. Called with an
    // empty product, number 0 and an empty source while an error is being handled, it raises
    // that error on unchanged (number, source and description).
    [[noreturn]] virtual void RaiseError(const QString& product, int32_t number, const QString& source,
                                         int32_t flags) = 0;
    // Raises `error` (its number and description) on with the given source.
    [[noreturn]] virtual void ReportError(const com::Error& error, const QString& source) = 0;
};

// Translates language keys ("20011::Ventilator test") or plain English texts for a product;
// "%%1" in the text is replaced by the first argument.
class ILanguageService : public virtual com::Object {
public:
    virtual QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) = 0;
};

class IUtilityService : public virtual com::Object {
public:
    // The text under which a value is written into a record; read back with "." as decimal point.
    virtual QString ValueToText(const com::Value& value) = 0;
    virtual QString AppendPathSeparator(const QString& folder) = 0;
};

// The host's global service objects, installed by the host before it loads the plug-in.
struct HostServices {
    std::shared_ptr<IErrorService> error;
    std::shared_ptr<ILanguageService> language;
    std::shared_ptr<IUtilityService> utility;
    std::shared_ptr<IXmlService> xml;
};

void installHostServices(HostServices services);
// Each raises 91 (object not set) when the host installed none.
IErrorService& errorService();
ILanguageService& languageService();
IUtilityService& utilityService();
IXmlService& xmlService();

} // namespace Nelvar
