#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

// The host's XML record objects, through which every persisted record is written and read.
namespace Nelvar {

class IXmlElement;
class IXmlElementList;

// Any node of a document: an element, or the status node the host makes for result status.
class IXmlNode : public virtual com::Object {
public:
    virtual QString NodeName() const = 0;
};

class IXmlElement : public IXmlNode {
public:
    virtual QString TagName() const = 0;
    virtual void setTagName(const QString& name) = 0;
    // Inner text (the concatenated text of the element's text children).
    virtual QString Text() const = 0;
    virtual void setText(const QString& text) = 0;
    // Attribute text; an absent attribute reads as the empty text.
    virtual QString GetAttribute(const QString& name) const = 0;
    // Writes the value as its text (numbers through the utility service's ValueToText).
    virtual void SetAttribute(const QString& name, const com::Value& value) = 0;
    // Creates a child with that tag name and inner text, appends it last and returns it.
    virtual std::shared_ptr<IXmlElement> AddChildElement(const QString& name, const QString& text = {}) = 0;
    // Appends a node made elsewhere in the same document as the last child.
    virtual void AppendChild(const std::shared_ptr<IXmlNode>& node) = 0;
    // The first child element of that name from position `start` (0-based) on, or none.
    virtual std::shared_ptr<IXmlElement> FindChildElement(const QString& name, int32_t start = 0) const = 0;
    virtual std::shared_ptr<IXmlElementList> ChildElements() const = 0;
    virtual std::shared_ptr<IXmlElementList> ElementsNamed(const QString& name) const = 0;
    virtual bool HasChildNodes() const = 0;
};

// A list of elements in document order, counted from 0.
class IXmlElementList : public virtual com::Object {
public:
    virtual int32_t Count() const = 0;
    // Raises 9 (subscript) outside 0 to Count - 1.
    virtual std::shared_ptr<IXmlElement> Item(int32_t index) const = 0;
};

class IXmlDocument : public virtual com::Object {
public:
    // A new element of this document, not yet attached to anything.
    virtual std::shared_ptr<IXmlElement> CreateElement(const QString& name) = 0;
    // The root element; none while the document is empty.
    virtual std::shared_ptr<IXmlElement> DocumentElement() const = 0;
    virtual void setDocumentElement(const std::shared_ptr<IXmlElement>& element) = 0;
    // The whole document as text, and back.
    virtual QString Xml() const = 0;
    virtual void LoadXml(const QString& text) = 0;
};

// A document's file: loads and saves it. Failures raise the host's file error numbers.
class IXmlFile : public virtual com::Object {
public:
    virtual void Load(const QString& path) = 0;
    virtual void Save(const QString& path) const = 0;
};

class IXmlService : public virtual com::Object {
public:
    // A new, empty document; it also offers IXmlFile.
    virtual std::shared_ptr<IXmlDocument> CreateDocument() = 0;
    // A node that holds a result status and its text; the caller appends it. Named "Status".
    virtual std::shared_ptr<IXmlNode> SaveStatus(const std::shared_ptr<IXmlDocument>& document, int32_t status,
                                                 const QString& text) = 0;
    // Reads back what SaveStatus wrote.
    virtual void LoadStatus(const std::shared_ptr<IXmlNode>& node, int32_t& status, QString& text) = 0;
};

} // namespace Nelvar
