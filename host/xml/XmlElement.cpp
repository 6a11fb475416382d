#include "XmlElement.h"

#include "PugiText.h"
#include "XmlElementList.h"
#include "XmlName.h"

#include "format/Format.h"

#include "com/Error.h"

#include <vector>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.XmlElement");

bool isText(const pugi::xml_node& node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

com::Error invalidCall(const QString& source, const QString& detail)
{
    return com::Error(com::errInvalidCall, source,
                      com::Error::runtimeDescription(com::errInvalidCall) + QStringLiteral(": ") + detail);
}

} // namespace

XmlElement::XmlElement(std::shared_ptr<XmlDocumentState> document, pugi::xml_node node)
    : m_document(std::move(document))
    , m_node(node)
{
}

QString XmlElement::NodeName() const
{
    return TagName();
}

QString XmlElement::TagName() const
{
    return pugitext::fromUtf8(m_node.name());
}

void XmlElement::setTagName(const QString& name)
{
    requireXmlName(name, kSource);
    m_node.set_name(pugitext::toUtf8(name).c_str());
}

QString XmlElement::Text() const
{
    QString text;
    for (const pugi::xml_node child : m_node.children())
        if (isText(child))
            text += pugitext::fromUtf8(child.value());
    return text;
}

void XmlElement::setText(const QString& text)
{
    // Text nodes are never handed out, so they may be destroyed.
    for (pugi::xml_node child = m_node.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (isText(child))
            m_node.remove_child(child);
        child = next;
    }
    if (!text.isEmpty())
        m_node.prepend_child(pugi::node_pcdata).set_value(pugitext::toUtf8(text).c_str());
}

QString XmlElement::GetAttribute(const QString& name) const
{
    return pugitext::fromUtf8(m_node.attribute(pugitext::toUtf8(name).c_str()).value());
}

void XmlElement::SetAttribute(const QString& name, const com::Value& value)
{
    requireXmlName(name, kSource);
    const QString text = format::valueToText(value);
    const std::string utf8Name = pugitext::toUtf8(name);
    pugi::xml_attribute attribute = m_node.attribute(utf8Name.c_str());
    if (!attribute)
        attribute = m_node.append_attribute(utf8Name.c_str());
    attribute.set_value(pugitext::toUtf8(text).c_str());
}

std::shared_ptr<Nelvar::IXmlElement> XmlElement::AddChildElement(const QString& name, const QString& text)
{
    requireXmlName(name, kSource);
    pugi::xml_node child = m_node.append_child(pugitext::toUtf8(name).c_str());
    if (!text.isEmpty())
        child.append_child(pugi::node_pcdata).set_value(pugitext::toUtf8(text).c_str());
    return std::make_shared<XmlElement>(m_document, child);
}

void XmlElement::AppendChild(const std::shared_ptr<Nelvar::IXmlNode>& node)
{
    const pugi::xml_node child = elementNodeOf(node, *m_document, kSource);
    if (!m_node.append_move(child))
        throw invalidCall(kSource, QStringLiteral("an element cannot be appended to itself or to one it holds"));
}

std::shared_ptr<Nelvar::IXmlElement> XmlElement::FindChildElement(const QString& name, int32_t start) const
{
    if (start < 0)
        throw invalidCall(kSource, QStringLiteral("negative start position %1").arg(start));
    const std::string utf8Name = pugitext::toUtf8(name);
    int32_t position = 0;
    for (const pugi::xml_node child : m_node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (position++ >= start && utf8Name == child.name())
            return std::make_shared<XmlElement>(m_document, child);
    }
    return nullptr;
}

std::shared_ptr<Nelvar::IXmlElementList> XmlElement::ChildElements() const
{
    std::vector<pugi::xml_node> elements;
    for (const pugi::xml_node child : m_node.children())
        if (child.type() == pugi::node_element)
            elements.push_back(child);
    return std::make_shared<XmlElementList>(m_document, std::move(elements));
}

std::shared_ptr<Nelvar::IXmlElementList> XmlElement::ElementsNamed(const QString& name) const
{
    std::vector<pugi::xml_node> elements;
    const std::string utf8Name = pugitext::toUtf8(name);
    for (const pugi::xml_node child : m_node.children(utf8Name.c_str()))
        elements.push_back(child);
    return std::make_shared<XmlElementList>(m_document, std::move(elements));
}

bool XmlElement::HasChildNodes() const
{
    return !m_node.first_child().empty();
}

pugi::xml_node elementNodeOf(const std::shared_ptr<Nelvar::IXmlNode>& node, const XmlDocumentState& document,
                             const QString& source)
{
    if (!node)
        throw com::Error::objectNotSet(source);
    const auto element = std::dynamic_pointer_cast<XmlElement>(node);
    if (!element)
        throw com::Error::typeMismatch(source);
    if (element->document().get() != &document)
        throw invalidCall(source, QStringLiteral("the element belongs to another document"));
    return element->node();
}

} // namespace host
