#include "report/charts/svg_document.h"

#include "kernel/platform/number_format.h"

namespace voxel {

std::string xml_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string svg_number(double value) {
    std::string s = format_fixed(value, 3);
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

SvgDocument::SvgDocument(double width_mm, double height_mm, const std::string& font_family) {
    text_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string w = svg_number(width_mm);
    const std::string h = svg_number(height_mm);
    open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                 {"width", w + "mm"},
                 {"height", h + "mm"},
                 {"viewBox", "0 0 " + w + " " + h},
                 {"font-family", font_family}});
}

void SvgDocument::start_tag(const std::string& name, const SvgAttributes& attributes) {
    text_ += std::string(open_.size(), ' ') + "<" + name;
    for (const auto& [key, value] : attributes)
        text_ += " " + key + "=\"" + xml_escape(value) + "\"";
}

void SvgDocument::element(const std::string& name, const SvgAttributes& attributes) {
    start_tag(name, attributes);
    text_ += "/>\n";
}

void SvgDocument::text_element(const std::string& name, const SvgAttributes& attributes,
                               std::string_view text) {
    start_tag(name, attributes);
    text_ += ">" + xml_escape(text) + "</" + name + ">\n";
}

void SvgDocument::spans_element(const std::string& name, const SvgAttributes& attributes,
                                const std::vector<std::pair<SvgAttributes, std::string>>& spans) {
    // Blanks at the edges of a span are part of the text; without
    // xml:space="preserve" some viewers drop them.
    SvgAttributes with_space = attributes;
    with_space.push_back({"xml:space", "preserve"});
    start_tag(name, with_space);
    text_ += ">";
    for (const auto& [span_attributes, text] : spans) {
        text_ += "<tspan";
        for (const auto& [key, value] : span_attributes)
            text_ += " " + key + "=\"" + xml_escape(value) + "\"";
        text_ += ">" + xml_escape(text) + "</tspan>";
    }
    text_ += "</" + name + ">\n";
}

void SvgDocument::open(const std::string& name, const SvgAttributes& attributes) {
    start_tag(name, attributes);
    text_ += ">\n";
    open_.push_back(name);
}

void SvgDocument::close() {
    if (open_.empty()) return;
    const std::string name = open_.back();
    open_.pop_back();
    text_ += std::string(open_.size(), ' ') + "</" + name + ">\n";
}

std::string SvgDocument::finish() {
    while (!open_.empty()) close();
    return text_;
}

std::string svg_points(const std::vector<std::pair<double, double>>& points) {
    std::string s;
    for (const auto& [x, y] : points) {
        if (!s.empty()) s += ' ';
        s += svg_number(x) + "," + svg_number(y);
    }
    return s;
}

}  // namespace voxel
