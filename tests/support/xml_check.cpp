#include "support/xml_check.h"

#include <cctype>

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

bool name_start(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool name_char(char c) {
    return name_start(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
}

class Reader {
  public:
    explicit Reader(const std::string& text) : s_(text) {}

    XmlDocument read() {
        XmlDocument doc;
        if (!prolog()) return fail(doc);
        if (!element(doc, 0, -1)) return fail(doc);
        // After the root: only blanks, comments and processing instructions.
        while (true) {
            skip_blanks();
            if (at_end()) break;
            if (starts("<!--")) {
                if (!comment()) return fail(doc);
            } else if (starts("<?")) {
                if (!instruction()) return fail(doc);
            } else {
                error_ = "content after the root element";
                return fail(doc);
            }
        }
        doc.well_formed = true;
        return doc;
    }

  private:
    XmlDocument fail(XmlDocument& doc) {
        doc.well_formed = false;
        doc.error = error_ + " at byte " + std::to_string(i_);
        return doc;
    }
    bool at_end() const { return i_ >= s_.size(); }
    bool starts(const char* p) const {
        return s_.compare(i_, std::char_traits<char>::length(p), p) == 0;
    }
    void skip_blanks() {
        while (!at_end() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }

    bool prolog() {
        while (true) {
            skip_blanks();
            if (starts("<?")) {
                if (!instruction()) return false;
            } else if (starts("<!--")) {
                if (!comment()) return false;
            } else if (starts("<") && i_ + 1 < s_.size() && name_start(s_[i_ + 1])) {
                return true;
            } else {
                error_ = "no root element";
                return false;
            }
        }
    }

    bool instruction() {
        const std::size_t end = s_.find("?>", i_);
        if (end == std::string::npos) {
            error_ = "unterminated processing instruction";
            return false;
        }
        i_ = end + 2;
        return true;
    }

    bool comment() {
        const std::size_t end = s_.find("-->", i_ + 4);
        if (end == std::string::npos) {
            error_ = "unterminated comment";
            return false;
        }
        i_ = end + 3;
        return true;
    }

    bool name(std::string& out) {
        if (at_end() || !name_start(s_[i_])) {
            error_ = "expected a name";
            return false;
        }
        const std::size_t b = i_;
        while (!at_end() && name_char(s_[i_])) ++i_;
        out = s_.substr(b, i_ - b);
        return true;
    }

    // An entity or character reference at i_ ('&'), appended unescaped.
    bool reference(std::string& out) {
        const std::size_t semi = s_.find(';', i_);
        if (semi == std::string::npos || semi - i_ > 10) {
            error_ = "bare '&'";
            return false;
        }
        const std::string ref = s_.substr(i_ + 1, semi - i_ - 1);
        if (ref == "amp")
            out += '&';
        else if (ref == "lt")
            out += '<';
        else if (ref == "gt")
            out += '>';
        else if (ref == "quot")
            out += '"';
        else if (ref == "apos")
            out += '\'';
        else if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string digits = ref.substr(hex ? 2 : 1);
            if (digits.empty()) {
                error_ = "empty character reference";
                return false;
            }
            for (char c : digits)
                if (!(hex ? std::isxdigit(static_cast<unsigned char>(c))
                          : std::isdigit(static_cast<unsigned char>(c)))) {
                    error_ = "bad character reference";
                    return false;
                }
            out += '?';  // the tests need no characters given by number
        } else {
            error_ = "unknown entity &" + ref + ";";
            return false;
        }
        i_ = semi + 1;
        return true;
    }

    bool attribute_value(std::string& out) {
        if (at_end() || (s_[i_] != '"' && s_[i_] != '\'')) {
            error_ = "attribute value not quoted";
            return false;
        }
        const char quote = s_[i_++];
        while (true) {
            if (at_end()) {
                error_ = "unterminated attribute value";
                return false;
            }
            const char c = s_[i_];
            if (c == quote) {
                ++i_;
                return true;
            }
            if (c == '<') {
                error_ = "'<' in an attribute value";
                return false;
            }
            if (c == '&') {
                if (!reference(out)) return false;
            } else {
                out += c;
                ++i_;
            }
        }
    }

    bool element(XmlDocument& doc, int depth, int parent) {
        ++i_;  // '<'
        XmlElement e;
        e.depth = depth;
        e.parent = parent;
        if (!name(e.name)) return false;
        while (true) {
            const std::size_t before = i_;
            skip_blanks();
            if (at_end()) {
                error_ = "unterminated start tag";
                return false;
            }
            if (starts("/>")) {
                i_ += 2;
                doc.elements.push_back(e);
                return true;
            }
            if (s_[i_] == '>') {
                ++i_;
                break;
            }
            if (i_ == before) {
                error_ = "attributes not separated by blanks";
                return false;
            }
            std::string key, value;
            if (!name(key)) return false;
            skip_blanks();
            if (at_end() || s_[i_] != '=') {
                error_ = "attribute without '='";
                return false;
            }
            ++i_;
            skip_blanks();
            if (!attribute_value(value)) return false;
            if (e.has_attribute(key)) {
                error_ = "attribute " + key + " given twice";
                return false;
            }
            e.attributes.push_back({key, value});
        }
        const std::size_t index = doc.elements.size();
        doc.elements.push_back(e);
        // Content up to the matching end tag.
        while (true) {
            if (at_end()) {
                error_ = "element <" + e.name + "> not closed";
                return false;
            }
            const char c = s_[i_];
            if (c == '<') {
                if (starts("</")) {
                    i_ += 2;
                    std::string end;
                    if (!name(end)) return false;
                    skip_blanks();
                    if (at_end() || s_[i_] != '>' || end != e.name) {
                        error_ = "</" + end + "> does not close <" + e.name + ">";
                        return false;
                    }
                    ++i_;
                    return true;
                }
                if (starts("<!--")) {
                    if (!comment()) return false;
                } else if (starts("<?")) {
                    if (!instruction()) return false;
                } else if (!element(doc, depth + 1, static_cast<int>(index))) {
                    return false;
                }
            } else if (c == '&') {
                if (!reference(doc.elements[index].text)) return false;
            } else {
                doc.elements[index].text += c;
                ++i_;
            }
        }
    }

    const std::string& s_;
    std::size_t i_ = 0;
    std::string error_;
};

}  // namespace

XmlDocument parse_xml(const std::string& text) {
    return Reader(text).read();
}

}  // namespace testing_support
