#include "XmlService.h"

#include "XmlDocument.h"

#include "RecordReading.h"

#include "com/Error.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.XmlService");
const QString kStatusName = QStringLiteral("Status");
const QString kValueAttribute = QStringLiteral("Value");
const QString kTextAttribute = QStringLiteral("Text");

} // namespace

std::shared_ptr<Nelvar::IXmlDocument> XmlService::CreateDocument()
{
    return std::make_shared<XmlDocument>();
}

std::shared_ptr<Nelvar::IXmlNode> XmlService::SaveStatus(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                         int32_t status, const QString& text)
{
    if (!document)
        throw com::Error::objectNotSet(kSource);
    const std::shared_ptr<Nelvar::IXmlElement> element = document->CreateElement(kStatusName);
    element->SetAttribute(kValueAttribute, status);
    element->SetAttribute(kTextAttribute, text);
    return element;
}

void XmlService::LoadStatus(const std::shared_ptr<Nelvar::IXmlNode>& node, int32_t& status, QString& text)
{
    if (!node)
        throw com::Error::objectNotSet(kSource);
    const auto element = std::dynamic_pointer_cast<Nelvar::IXmlElement>(node);
    if (!element || element->TagName() != kStatusName)
        throw com::Error(com::errInvalidCall, kSource,
                         com::Error::runtimeDescription(com::errInvalidCall) +
                             QStringLiteral(": the node \"%1\" is not a status node").arg(node->NodeName()));
    const int32_t value = Zeltor::records::leadingWholeNumber(QStringLiteral("Value of \"Status\""),
                                                              element->GetAttribute(kValueAttribute));
    text = element->GetAttribute(kTextAttribute);
    status = value;
}

} // namespace host
