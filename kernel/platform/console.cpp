#include "kernel/platform/console.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace voxel {

namespace {

bool names_utf8(const char* locale) {
    // "en_US.UTF-8", "C.utf8", "zh_CN.UTF-8@euro": look at the codeset part.
    const char* dot = std::strchr(locale, '.');
    if (!dot) return false;
    std::string codeset;
    for (const char* c = dot + 1; *c && *c != '@'; ++c)
        if (*c != '-' && *c != '_')
            codeset += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    return codeset == "utf8";
}

}  // namespace

ConsoleEncoding encoding_for_locale(const char* lc_all, const char* lc_ctype, const char* lang) {
    const char* chosen = nullptr;
    if (lc_all && *lc_all)
        chosen = lc_all;
    else if (lc_ctype && *lc_ctype)
        chosen = lc_ctype;
    else if (lang && *lang)
        chosen = lang;
    return (chosen && names_utf8(chosen)) ? ConsoleEncoding::Utf8 : ConsoleEncoding::Gbk;
}

ConsoleEncoding console_encoding() {
    static const ConsoleEncoding enc =
        encoding_for_locale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
    return enc;
}

std::string utf8_to_gbk(std::string_view utf8) {
    bool ascii = true;
    for (unsigned char c : utf8)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return std::string(utf8);

    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
    std::string out;
    out.resize(utf8.size() * 2 + 4);
    char* in_ptr = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
        if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) break;  // cannot happen: GBK never needs more bytes than UTF-8
        // A byte sequence that is invalid or has no GBK form: write '?' and
        // skip the whole UTF-8 character, that is its lead byte and the
        // continuation bytes (10xxxxxx) that follow it, no further.
        if (out_left == 0) break;
        *out_ptr++ = '?';
        --out_left;
        const unsigned char lead = static_cast<unsigned char>(*in_ptr);
        size_t skip = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (skip > in_left) skip = in_left;
        size_t n = 1;
        while (n < skip && (static_cast<unsigned char>(in_ptr[n]) & 0xC0) == 0x80) ++n;
        in_ptr += n;
        in_left -= n;
    }
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

std::string to_console(std::string_view utf8) {
    if (console_encoding() == ConsoleEncoding::Utf8) return std::string(utf8);
    return utf8_to_gbk(utf8);
}

void console_write(std::string_view utf8) {
    const std::string text = to_console(utf8);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void console_line(std::string_view utf8) {
    std::string text = to_console(utf8);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void diagnostic_line(std::string_view utf8) {
    std::string text = to_console(utf8);
    text += '\n';
    std::fflush(stdout);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

int wait_for_key() {
    return std::getchar();
}

int read_answer_char() {
    int c;
    do {
        c = std::getchar();
    } while (c != EOF && std::isspace(c));
    return c;
}

void pause_console() {
    console_line("请按任意键继续. . .");
    wait_for_key();
}

}  // namespace voxel
