#pragma once

#include "Xml.h"

namespace host {

// Makes documents, and the status node of result records: a detached element
// <Status Value="status" Text="text"/> of the given document.
class XmlService : public Nelvar::IXmlService {
public:
    std::shared_ptr<Nelvar::IXmlDocument> CreateDocument() override;
    // Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlNode> SaveStatus(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                 int32_t status, const QString& text) override;
    // Reads a "Status" element: "Value" by the leading-number rule (none gives 0, a number outside
    // the 32-bit range raises 6) and "Text". Raises 91 without a node and 5 for a node that is
    // not a "Status" element; the outputs change only on success.
    void LoadStatus(const std::shared_ptr<Nelvar::IXmlNode>& node, int32_t& status, QString& text) override;
};

} // namespace host
