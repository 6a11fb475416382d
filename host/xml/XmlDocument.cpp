#include "XmlDocument.h"

#include "XmlElement.h"
#include "XmlName.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.XmlDocument");
// The largest file a document reads: far beyond any record or template, and a bound on what a
// wrong path (a log, a disk image) makes the program take in.
constexpr qint64 kLargestFileMiB = 512;
constexpr qint64 kLargestFile = kLargestFileMiB * 1024 * 1024;
constexpr qint64 kReadPiece = 1024 * 1024;

[[noreturn]] void raiseFileAccess(const QString& path, const QString& reason)
{
    errors::raise(errors::kPathFileAccess, kSource, path + QStringLiteral(": ") + reason);
}

} // namespace

XmlDocument::XmlDocument()
    : m_state(std::make_shared<XmlDocumentState>())
{
}

std::shared_ptr<Nelvar::IXmlElement> XmlDocument::CreateElement(const QString& name)
{
    requireXmlName(name, kSource);
    return std::make_shared<XmlElement>(m_state, m_state->newDetachedElement(name));
}

std::shared_ptr<Nelvar::IXmlElement> XmlDocument::DocumentElement() const
{
    const pugi::xml_node root = m_state->rootElement();
    if (!root)
        return nullptr;
    return std::make_shared<XmlElement>(m_state, root);
}

void XmlDocument::setDocumentElement(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    m_state->setRootElement(element ? elementNodeOf(element, *m_state, kSource) : pugi::xml_node());
}

QString XmlDocument::Xml() const
{
    return QString::fromUtf8(m_state->serialized());
}

void XmlDocument::LoadXml(const QString& text)
{
    m_state = XmlDocumentState::parse(text.toUtf8(), pugi::encoding_utf8, QStringLiteral("XML text"));
}

void XmlDocument::Load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        errors::raise(com::errFileNotFound, kSource, path);
    if (info.isDir())
        raiseFileAccess(path, QStringLiteral("is a folder"));
    // A device or a pipe may never end, or never begin: only regular files are read.
    if (!info.isFile())
        raiseFileAccess(path, QStringLiteral("is not a regular file"));
    const QString tooLarge = QStringLiteral("is larger than %1 MiB").arg(kLargestFileMiB);
    if (info.size() > kLargestFile)
        raiseFileAccess(path, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseFileAccess(path, file.errorString());
    // The file may have grown since it was looked at, so it is read in pieces up to one byte
    // beyond the limit; one read of the limit would take a buffer of that size for any file.
    QByteArray bytes;
    bytes.reserve(info.size());
    while (bytes.size() <= kLargestFile) {
        const QByteArray piece = file.read(std::min(kReadPiece, kLargestFile + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError)
        raiseFileAccess(path, file.errorString());
    if (bytes.size() > kLargestFile)
        raiseFileAccess(path, tooLarge);
    m_state = XmlDocumentState::parse(bytes, pugi::encoding_auto, path);
}

void XmlDocument::Save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        raiseFileAccess(path, file.errorString());
    const QByteArray bytes = m_state->serialized();
    if (file.write(bytes) != bytes.size() || !file.commit())
        raiseFileAccess(path, file.errorString());
}

} // namespace host
