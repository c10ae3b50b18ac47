// A small XML reader for the tests of the SVG charts: it checks that a text
// is well-formed (one root, matched tags, quoted attributes without '<', no
// attribute twice, '&' only in the five named entities or a character
// reference) and hands back the elements with their attributes and text.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // values unescaped
    std::string text;  // the element's own text (not its children's), unescaped
    int depth = 0;     // 0 for the root
    int parent = -1;   // index of the enclosing element, -1 for the root

    // The attribute's value, or "" when it is absent.
    std::string attribute(const std::string& key) const;
    bool has_attribute(const std::string& key) const;
};

struct XmlDocument {
    bool well_formed = false;
    std::string error;                 // the first fault found, with its byte offset
    std::vector<XmlElement> elements;  // in document order
};

XmlDocument parse_xml(const std::string& text);

}  // namespace testing_support
