#include "RegistryFile.h"

#include "HostErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Registry");
const QString kTypeField = QStringLiteral("type");
const QString kDataField = QStringLiteral("data");
const QString kDwordType = QStringLiteral("dword");
const QString kTextType = QStringLiteral("sz");

class RegistryFileReader {
public:
    explicit RegistryFileReader(const QString& path) : m_path(path) {}

    RegistryData read(const QByteArray& bytes) const
    {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
        if (parseError.error != QJsonParseError::NoError)
            fail(QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset));
        if (!document.isObject())
            fail(QStringLiteral("the file holds no object of hives"));

        RegistryData data;
        const QJsonObject hives = document.object();
        for (auto hive = hives.begin(); hive != hives.end(); ++hive) {
            if (!hive->isObject())
                fail(QStringLiteral("hive \"%1\" is not an object of keys").arg(hive.key()));
            const QJsonObject keys = hive->toObject();
            for (auto key = keys.begin(); key != keys.end(); ++key)
                data.addKey(hive.key(), readKey(hive.key(), key.key(), key.value()));
        }
        return data;
    }

private:
    RegistryKey readKey(const QString& hive, const QString& path, const QJsonValue& json) const
    {
        if (!json.isObject())
            fail(QStringLiteral("key \"%1\\%2\" is not an object of values").arg(hive, path));
        RegistryKey key(path);
        const QJsonObject values = json.toObject();
        for (auto value = values.begin(); value != values.end(); ++value)
            key.setValue(value.key(), readValue(value.value(), [&] {
                return QStringLiteral("value \"%1\" of key \"%2\\%3\"").arg(value.key(), hive, path);
            }));
        return key;
    }

    template <typename Describe>
    RegistryValue readValue(const QJsonValue& json, Describe describe) const
    {
        const QJsonObject value = json.toObject();
        const QString type = value.value(kTypeField).toString();
        const QJsonValue data = value.value(kDataField);
        if (type == kTextType && data.isString())
            return RegistryValue::sz(data.toString());
        if (type == kDwordType && data.isDouble()) {
            const double number = data.toDouble();
            if (number == std::trunc(number) && number >= std::numeric_limits<int32_t>::min() &&
                number <= std::numeric_limits<int32_t>::max())
                return RegistryValue::dword(static_cast<int32_t>(number));
        }
        fail(describe() + QStringLiteral(" is not a dword or sz value"));
    }

    [[noreturn]] void fail(const QString& fault) const
    {
        errors::raise(errors::kRegistryFileError, kSource,
                      QStringLiteral("%1 is not a valid registry file: %2").arg(m_path, fault));
    }

    const QString& m_path;
};

QJsonObject toJson(const RegistryValue& value)
{
    if (value.type == RegistryValue::Type::Dword)
        return {{kTypeField, kDwordType}, {kDataField, value.number}};
    return {{kTypeField, kTextType}, {kDataField, value.text}};
}

[[noreturn]] void raiseFileError(const QString& path, const QString& reason)
{
    errors::raise(errors::kRegistryFileError, kSource, path + QStringLiteral(": ") + reason);
}

} // namespace

QString RegistryFile::configuredPath()
{
    const QString configured = qEnvironmentVariable("NELVAR_REGISTRY");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nelvar/registry.json");
}

RegistryFile::RegistryFile(QString path)
    : m_path(std::move(path))
{
}

RegistryData RegistryFile::read() const
{
    if (!QFileInfo::exists(m_path))
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        raiseFileError(m_path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        raiseFileError(m_path, file.errorString());
    return RegistryFileReader(m_path).read(bytes);
}

void RegistryFile::write(const RegistryData& data) const
{
    QJsonObject hives;
    for (const RegistryHive& hive : data.hives()) {
        QJsonObject keys;
        for (const RegistryKey& key : hive.keys) {
            QJsonObject values;
            for (const NamedRegistryValue& value : key.values())
                values.insert(value.name, toJson(value.value));
            keys.insert(key.path(), values);
        }
        hives.insert(hive.name, keys);
    }

    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        raiseFileError(m_path, QStringLiteral("its folder cannot be created"));
    QSaveFile file(m_path);
    const QByteArray bytes = QJsonDocument(hives).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        raiseFileError(m_path, file.errorString());
}

} // namespace host
