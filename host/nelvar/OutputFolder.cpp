#include "OutputFolder.h"

#include <QFileInfo>
#include <QTemporaryFile>

OutputFolder::OutputFolder(const QString& path) : m_folder(path)
{
    const QString folder = QDir::cleanPath(m_folder.absolutePath());
    for (QFileInfo missing(folder); !missing.exists() && !missing.isSymLink();
         missing = QFileInfo(missing.absolutePath()))
        m_made << missing.absoluteFilePath();
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir()) {
        m_problem = QStringLiteral("%1 is not a folder").arg(path);
        return;
    }
    if (!QDir().mkpath(folder)) {
        m_problem = QStringLiteral("the folder %1 cannot be created").arg(path);
        return;
    }
    QTemporaryFile probe(m_folder.filePath(QStringLiteral(".nelvar-XXXXXX")));
    if (!probe.open())
        m_problem = QStringLiteral("the folder %1 cannot be written").arg(path);
}

OutputFolder::~OutputFolder()
{
    // rmdir removes a folder only while it is empty.
    for (const QString& made : m_made)
        QDir().rmdir(made);
}
