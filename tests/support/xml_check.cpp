#include "support/xml_check.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <memory>

namespace testing_support {

std::string XmlElement::attribute(const std::string& key) const {
    for (const auto& [k, v] : attributes)
        if (k == key) return v;
    return "";
}

bool XmlElement::has_attribute(const std::string& key) const {
    for (const auto& a : attributes)
        if (a.first == key) return true;
    return false;
}

namespace {

std::string text_of(const xmlChar* s) {
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

// A name as written: with its namespace prefix, if any.
std::string qualified_name(const xmlNs* ns, const xmlChar* name) {
    if (ns && ns->prefix) return text_of(ns->prefix) + ":" + text_of(name);
    return text_of(name);
}

// Appends `node` and, after it, every element inside it to `doc`.
void flatten(const xmlNode* node, int depth, int parent, XmlDocument& doc) {
    XmlElement e;
    e.name = qualified_name(node->ns, node->name);
    e.depth = depth;
    e.parent = parent;
    for (const xmlNs* ns = node->nsDef; ns; ns = ns->next)
        e.attributes.push_back({ns->prefix ? "xmlns:" + text_of(ns->prefix) : std::string("xmlns"),
                                text_of(ns->href)});
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
        e.attributes.push_back({qualified_name(a->ns, a->name), text_of(value)});
        xmlFree(value);
    }
    const int index = static_cast<int>(doc.elements.size());
    doc.elements.push_back(std::move(e));
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            flatten(child, depth + 1, index, doc);
        else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            doc.elements[static_cast<std::size_t>(index)].text += text_of(child->content);
    }
}

// Keeps the parser's first error, with its place, in the string that the
// context's _private points at. A template, as the error is const from
// libxml2 2.12 on.
template <typename Error>
void keep_first_error(void* context, Error e) {
    auto* first = static_cast<std::string*>(static_cast<xmlParserCtxt*>(context)->_private);
    if (!first->empty() || !e || e->level < XML_ERR_ERROR) return;
    *first = e->message ? e->message : "not well-formed";
    while (!first->empty() && first->back() == '\n') first->pop_back();
    *first += " at line " + std::to_string(e->line) + ", column " + std::to_string(e->int2);
}

struct ContextFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};
struct DocumentFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

}  // namespace

XmlDocument parse_xml(const std::string& text) {
    XmlDocument doc;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        doc.error = "text too long";
        return doc;
    }
    const std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
    if (!context) {
        doc.error = "no parser context";
        return doc;
    }
    context->_private = &doc.error;
    context->sax->serror = keep_first_error;
    // Strict: no recovery, nothing fetched, nothing printed.
    const std::unique_ptr<xmlDoc, DocumentFree> tree(
        xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), "text.xml",
                          nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!tree || !context->wellFormed) {
        if (doc.error.empty()) doc.error = "not well-formed";
        return doc;
    }
    doc.error.clear();
    flatten(xmlDocGetRootElement(tree.get()), 0, -1, doc);
    doc.well_formed = true;
    return doc;
}

}  // namespace testing_support
