#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <memory>

namespace host {

// The tree of one document, shared by the document object and every element taken from it, so
// that an element stays valid as long as anyone holds it. No element node is ever destroyed while
// the state lives: new elements and elements that leave the tree are kept under a hidden holder
// node, which is never saved. Loading a file makes a new state rather than replacing this tree.
class XmlDocumentState {
public:
    XmlDocumentState();
    XmlDocumentState(const XmlDocumentState&) = delete;
    XmlDocumentState& operator=(const XmlDocumentState&) = delete;

    // Parses a whole document (comments kept, line ends kept as they are, so texts holding CR LF
    // read back unchanged). Malformed text raises errors::kXmlMalformed naming `origin`, pugixml's
    // reason and the byte offset.
    static std::shared_ptr<XmlDocumentState> parse(const QByteArray& bytes, pugi::xml_encoding encoding,
                                                   const QString& origin);

    // A new element that is part of no tree yet.
    pugi::xml_node newDetachedElement(const QString& name);

    // The first top-level element; an empty handle while there is none.
    pugi::xml_node rootElement() const;
    // Makes `element` (a node of this document, or an empty handle) the only top-level element;
    // the elements it replaces become detached.
    void setRootElement(pugi::xml_node element);

    // The document in UTF-8 with an XML declaration, tab-indented; the same tree always gives
    // the same bytes.
    QByteArray serialized() const;

private:
    pugi::xml_document m_document;
    pugi::xml_node m_detached;
};

} // namespace host
