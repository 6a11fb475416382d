#include "XmlElementList.h"

#include "XmlElement.h"

#include "com/Error.h"

namespace host {

XmlElementList::XmlElementList(std::shared_ptr<XmlDocumentState> document, std::vector<pugi::xml_node> elements)
    : m_document(std::move(document))
    , m_elements(std::move(elements))
{
}

int32_t XmlElementList::Count() const
{
    return static_cast<int32_t>(m_elements.size());
}

std::shared_ptr<Nelvar::IXmlElement> XmlElementList::Item(int32_t index) const
{
    if (index < 0 || index >= Count())
        throw com::Error::subscript(QStringLiteral("Nelvar.XmlElementList"));
    return std::make_shared<XmlElement>(m_document, m_elements[static_cast<size_t>(index)]);
}

} // namespace host
