#pragma once

#include "XmlDocumentState.h"

#include "Xml.h"

#include <memory>

namespace host {

// A document and its file: one object offering IXmlDocument and IXmlFile.
class XmlDocument : public Nelvar::IXmlDocument, public Nelvar::IXmlFile {
public:
    XmlDocument();

    // Raises 5 for a name that is not a valid XML name.
    std::shared_ptr<Nelvar::IXmlElement> CreateElement(const QString& name) override;
    std::shared_ptr<Nelvar::IXmlElement> DocumentElement() const override;
    // Takes an element of this document (none empties it); raises as IXmlElement::AppendChild.
    void setDocumentElement(const std::shared_ptr<Nelvar::IXmlElement>& element) override;
    QString Xml() const override;
    // Malformed text raises errors::kXmlMalformed and leaves the document as it was.
    void LoadXml(const QString& text) override;

    // A missing file raises 53, an unreadable one 75, a malformed one errors::kXmlMalformed;
    // on failure the document stays as it was. Elements taken before a load keep the old tree.
    void Load(const QString& path) override;
    // Writes the file atomically (UTF-8, with an XML declaration); failures raise 75.
    void Save(const QString& path) const override;

private:
    std::shared_ptr<XmlDocumentState> m_state;
};

} // namespace host
