#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Points NELVAR_REGISTRY at a registry file in a fresh temporary folder for the life of the
// object, and puts the previous setting back afterwards.
class TemporaryRegistry {
public:
    TemporaryRegistry()
        : m_hadPrevious(qEnvironmentVariableIsSet(kVariable))
        , m_previous(qgetenv(kVariable))
    {
        qputenv(kVariable, path().toLocal8Bit());
    }

    ~TemporaryRegistry()
    {
        if (m_hadPrevious)
            qputenv(kVariable, m_previous);
        else
            qunsetenv(kVariable);
    }

    TemporaryRegistry(const TemporaryRegistry&) = delete;
    TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

    QString path() const { return m_folder.filePath(QStringLiteral("registry.json")); }

    QByteArray contents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void setContents(const QByteArray& bytes) const
    {
        QFile file(path());
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    static constexpr const char* kVariable = "NELVAR_REGISTRY";

    QTemporaryDir m_folder;
    bool m_hadPrevious;
    QByteArray m_previous;
};
