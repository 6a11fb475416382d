#pragma once

#include "XmlDocumentState.h"

#include "Xml.h"

#include <pugixml.hpp>

#include <memory>
#include <vector>

namespace host {

// The elements a query found, in document order, as they were when it ran.
class XmlElementList : public Nelvar::IXmlElementList {
public:
    XmlElementList(std::shared_ptr<XmlDocumentState> document, std::vector<pugi::xml_node> elements);

    int32_t Count() const override;
    std::shared_ptr<Nelvar::IXmlElement> Item(int32_t index) const override;

private:
    std::shared_ptr<XmlDocumentState> m_document;
    std::vector<pugi::xml_node> m_elements;
};

} // namespace host
