#include "RecordMutator.h"

#include <pugixml.hpp>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace fuzz {

namespace {

// Values that a number or flag field is likely to choke on.
const std::array<std::string, 16> kTroublesomeValues{
    "NaN", "", "-1", "1e309", "-1e309", "1e39", "inf", "2147483648", "-2147483649", "4294967296",
    "99999999999999999999999999", "0.5", "-0", "True", "abc", "1:2:3",
};

// Very long texts: a long number, a long word and a long list of trend pairs or data pieces.
std::string longText(uint32_t which)
{
    switch (which % 3) {
    case 0: return std::string(70000, '9');
    case 1: return std::string(70000, 'x');
    default: {
        std::string pairs;
        for (int n = 0; n < 20000; ++n)
            pairs += "1:2;";
        return pairs;
    }
    }
}

void collect(const pugi::xml_node& node, std::vector<pugi::xml_node>& elements, std::vector<pugi::xml_node>& texts,
             std::vector<pugi::xml_attribute>& attributes)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            elements.push_back(child);
            for (pugi::xml_attribute attribute : child.attributes())
                attributes.push_back(attribute);
            collect(child, elements, texts, attributes);
        } else if (child.type() == pugi::node_pcdata) {
            texts.push_back(child);
        }
    }
}

} // namespace

uint32_t RecordMutator::below(uint32_t bound)
{
    return std::uniform_int_distribution<uint32_t>(0, bound - 1)(m_random);
}

QByteArray RecordMutator::mutate(const QByteArray& record)
{
    QByteArray mutated = record;
    const uint32_t steps = 1 + below(3);
    for (uint32_t step = 0; step < steps; ++step) {
        // Element mutations more often than byte mutations: they reach past the XML parser.
        if (below(3) == 0 || !mutateElements(mutated))
            mutateBytes(mutated);
    }
    return mutated;
}

void RecordMutator::mutateBytes(QByteArray& record)
{
    if (record.isEmpty()) {
        record.append(static_cast<char>(below(256)));
        return;
    }
    const auto at = static_cast<qsizetype>(below(static_cast<uint32_t>(record.size())));
    switch (below(4)) {
    case 0: record[at] = static_cast<char>(record[at] ^ (1 << below(8))); break;
    case 1: record.insert(at, static_cast<char>(below(256))); break;
    case 2: record.remove(at, 1); break;
    default: record.truncate(at); break;
    }
}

bool RecordMutator::mutateElements(QByteArray& record)
{
    pugi::xml_document document;
    if (!document.load_buffer(record.constData(), static_cast<size_t>(record.size())))
        return false;
    std::vector<pugi::xml_node> elements;
    std::vector<pugi::xml_node> texts;
    std::vector<pugi::xml_attribute> attributes;
    collect(document, elements, texts, attributes);
    if (elements.empty())
        return false;

    const auto troublesome = [&] {
        return below(6) == 0 ? longText(below(3)) : kTroublesomeValues[below(static_cast<uint32_t>(kTroublesomeValues.size()))];
    };
    switch (below(4)) {
    case 0: {
        pugi::xml_node element = elements[below(static_cast<uint32_t>(elements.size()))];
        if (element.parent().type() == pugi::node_document)
            return false;
        element.parent().insert_copy_after(element, element);
        break;
    }
    case 1: {
        pugi::xml_node element = elements[below(static_cast<uint32_t>(elements.size()))];
        if (element.parent().type() == pugi::node_document)
            return false;
        element.parent().remove_child(element);
        break;
    }
    case 2:
        if (attributes.empty())
            return false;
        attributes[below(static_cast<uint32_t>(attributes.size()))].set_value(troublesome().c_str());
        break;
    default:
        if (texts.empty())
            return false;
        texts[below(static_cast<uint32_t>(texts.size()))].set_value(troublesome().c_str());
        break;
    }
    std::ostringstream text;
    document.save(text, "", pugi::format_raw);
    const std::string saved = text.str();
    record = QByteArray(saved.data(), static_cast<qsizetype>(saved.size()));
    return true;
}

} // namespace fuzz
