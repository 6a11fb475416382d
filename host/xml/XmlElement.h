#pragma once

#include "XmlDocumentState.h"

#include "Xml.h"

#include <pugixml.hpp>

#include <memory>

namespace host {

// One element of a document; keeps the document's tree alive while it is held.
class XmlElement : public Nelvar::IXmlElement {
public:
    XmlElement(std::shared_ptr<XmlDocumentState> document, pugi::xml_node node);

    QString NodeName() const override;
    QString TagName() const override;
    // Raises 5 for a name that is not a valid XML name.
    void setTagName(const QString& name) override;
    // The PCDATA and CDATA children, concatenated.
    QString Text() const override;
    // Replaces the text children by `text`, placed before any child element; the child elements
    // stay as they are.
    void setText(const QString& text) override;
    QString GetAttribute(const QString& name) const override;
    // An existing attribute keeps its place; a new one goes last. Raises 5 for an invalid name.
    void SetAttribute(const QString& name, const com::Value& value) override;
    std::shared_ptr<Nelvar::IXmlElement> AddChildElement(const QString& name, const QString& text = {}) override;
    // Moves an element of the same document (detached or not) to the end of this element's
    // children. Raises 91 for none, 13 for a node that is not a host element, and 5 for an
    // element of another document or one that holds this element.
    void AppendChild(const std::shared_ptr<Nelvar::IXmlNode>& node) override;
    // Raises 5 for a negative start.
    std::shared_ptr<Nelvar::IXmlElement> FindChildElement(const QString& name, int32_t start = 0) const override;
    std::shared_ptr<Nelvar::IXmlElementList> ChildElements() const override;
    std::shared_ptr<Nelvar::IXmlElementList> ElementsNamed(const QString& name) const override;
    // Any child node: element, text or comment.
    bool HasChildNodes() const override;

    const std::shared_ptr<XmlDocumentState>& document() const { return m_document; }
    pugi::xml_node node() const { return m_node; }

private:
    std::shared_ptr<XmlDocumentState> m_document;
    pugi::xml_node m_node;
};

// The node behind `node` when it is an element of `document`; raises as AppendChild describes.
pugi::xml_node elementNodeOf(const std::shared_ptr<Nelvar::IXmlNode>& node, const XmlDocumentState& document,
                             const QString& source);

} // namespace host
