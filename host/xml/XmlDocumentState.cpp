#include "XmlDocumentState.h"

#include "PugiText.h"

#include "HostErrors.h"

namespace host {

namespace {

constexpr unsigned kParseOptions =
    (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single | pugi::parse_comments;

const QString kSource = QStringLiteral("Nelvar.XmlDocument");
constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

class ByteWriter : public pugi::xml_writer {
public:
    explicit ByteWriter(QByteArray& bytes) : m_bytes(bytes) {}
    void write(const void* data, size_t size) override
    {
        m_bytes.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    QByteArray& m_bytes;
};

} // namespace

XmlDocumentState::XmlDocumentState()
    : m_detached(m_document.append_child(pugi::node_element))
{
}

std::shared_ptr<XmlDocumentState> XmlDocumentState::parse(const QByteArray& bytes, pugi::xml_encoding encoding,
                                                          const QString& origin)
{
    auto state = std::make_shared<XmlDocumentState>();
    const pugi::xml_parse_result result =
        state->m_document.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), kParseOptions, encoding);
    if (!result)
        errors::raise(errors::kXmlMalformed, kSource,
                      QStringLiteral("%1: %2 at offset %3")
                          .arg(origin, QString::fromUtf8(result.description()))
                          .arg(static_cast<qint64>(result.offset)));
    state->m_detached = state->m_document.append_child(pugi::node_element);
    return state;
}

pugi::xml_node XmlDocumentState::newDetachedElement(const QString& name)
{
    return m_detached.append_child(pugitext::toUtf8(name).c_str());
}

pugi::xml_node XmlDocumentState::rootElement() const
{
    for (const pugi::xml_node child : m_document.children())
        if (child.type() == pugi::node_element && child != m_detached)
            return child;
    return {};
}

void XmlDocumentState::setRootElement(pugi::xml_node element)
{
    if (element && element.parent() != m_document)
        m_document.insert_move_before(element, m_detached);
    for (pugi::xml_node child = m_document.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (child.type() == pugi::node_element && child != element && child != m_detached)
            m_detached.append_move(child);
        child = next;
    }
}

QByteArray XmlDocumentState::serialized() const
{
    QByteArray bytes(kDeclaration);
    ByteWriter writer(bytes);
    for (const pugi::xml_node child : m_document.children())
        if (child != m_detached)
            child.print(writer, "\t", pugi::format_indent, pugi::encoding_utf8);
    return bytes;
}

} // namespace host
