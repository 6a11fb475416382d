#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The folder a command writes its files into, checked before the command's work begins: made
// when it is missing, then tried with a file of the command's own, so that a folder that cannot
// be written is refused before a test runs rather than after. The folders it made are removed
// again when they are still empty as it goes, so a command that fails leaves no empty folder
// behind.
class OutputFolder {
public:
    explicit OutputFolder(const QString& path);
    ~OutputFolder();
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    // Empty when the folder can be written; otherwise what is wrong with it.
    const QString& problem() const { return m_problem; }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

private:
    QDir m_folder;
    QStringList m_made; // the folders this object made, the deepest first
    QString m_problem;
};
