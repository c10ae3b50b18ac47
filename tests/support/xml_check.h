// The SVG charts read back for their tests: libxml2 checks that a text is
// well-formed XML (one root, matched tags, quoted attributes without '<', no
// attribute twice, '&' only in an entity or a character reference) and the
// elements come back with their attributes and text, flattened in document
// order.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct XmlElement {
    std::string name;
    // Values unescaped; namespace declarations ("xmlns", "xmlns:p") first,
    // then the attributes in the order written.
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;  // the element's own text (not its children's), unescaped
    int depth = 0;     // 0 for the root
    int parent = -1;   // index of the enclosing element, -1 for the root

    // The attribute's value, or "" when it is absent.
    std::string attribute(const std::string& key) const;
    bool has_attribute(const std::string& key) const;
};

struct XmlDocument {
    bool well_formed = false;
    std::string error;                 // the first fault found, with its line and column
    std::vector<XmlElement> elements;  // in document order
};

XmlDocument parse_xml(const std::string& text);

}  // namespace testing_support
