// Console text primitives shared by the kernel's few messages and the
// programs. All text is handed over as UTF-8 and written in the console's
// encoding: UTF-8 when the locale (LC_ALL, else LC_CTYPE, else LANG) names a
// UTF-8 codeset, GBK otherwise. Every line is ended and flushed at once.
#pragma once

#include <string>
#include <string_view>

namespace voxel {

enum class ConsoleEncoding { Utf8, Gbk };

// Decided once from the environment on first use.
ConsoleEncoding console_encoding();
// Decides from the given locale variables (nullptr for unset); for tests.
ConsoleEncoding encoding_for_locale(const char* lc_all, const char* lc_ctype, const char* lang);

// UTF-8 to GBK; a character GBK lacks becomes '?'.
std::string utf8_to_gbk(std::string_view utf8);
// The text as the console wants it.
std::string to_console(std::string_view utf8);

// Writes text and a line end to standard output, then flushes.
void console_line(std::string_view utf8);
// Writes text without a line end to standard output, then flushes.
void console_write(std::string_view utf8);
// A diagnostic line on standard error, beside the console text on standard output.
void diagnostic_line(std::string_view utf8);

// Waits for one character from standard input and returns it, or EOF at the
// end of input (which returns at once).
int wait_for_key();

// Reads one character, skipping white space; EOF at the end of input.
int read_answer_char();

// The final pause: writes the prompt and waits for one character.
void pause_console();

}  // namespace voxel
