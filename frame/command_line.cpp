#include "frame/command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <string>
#include <system_error>
#include <thread>

#include "kernel/platform/console.h"

#ifndef VOXEL_VERSION
#define VOXEL_VERSION "unknown"
#endif

namespace voxel {

struct CommandLine::Parser {
    CLI::App app;
    std::string positional_text;
    CLI::Option* positional = nullptr;
    // The thread count is taken as text and checked here, so that the
    // message gives the range in plain numbers.
    std::string threads_text;
    CLI::Option* threads_option = nullptr;
    int* threads = nullptr;
    explicit Parser(const std::string& description) : app(description) {}
};

namespace {

// `text` as a whole number from 1 to kMaxThreads (a leading '+' allowed).
bool parse_thread_count(const std::string& text, int& threads) {
    const char* begin = text.data();
    const char* const end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    int value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || value < 1 || value > kMaxThreads)
        return false;
    threads = value;
    return true;
}

}  // namespace

const char* program_version() {
    return VOXEL_VERSION;
}

CommandLine::CommandLine(std::string program, std::string description, std::string positional,
                         std::string positional_help, bool positional_required)
    : parser_(std::make_unique<Parser>(description)),
      program_(std::move(program)),
      positional_(std::move(positional)),
      positional_required_(positional_required) {
    CLI::App& app = parser_->app;
    app.name(program_);
    app.set_help_flag("-h,--help", "显示本帮助并退出");
    app.set_version_flag("--version", program_ + " " + VOXEL_VERSION, "显示版本并退出");
    parser_->positional = app.add_option(positional_, parser_->positional_text, positional_help);
    if (positional_required_) parser_->positional->required();
}

CommandLine::~CommandLine() = default;

void CommandLine::add_option(const std::string& flags, int& value, const std::string& help,
                             bool required) {
    CLI::Option* o = parser_->app.add_option(flags, value, help);
    if (required) o->required();
}

void CommandLine::add_option(const std::string& flags, double& value, const std::string& help,
                             bool required) {
    CLI::Option* o = parser_->app.add_option(flags, value, help);
    if (required) o->required();
}

void CommandLine::add_option(const std::string& flags, std::string& value, const std::string& help,
                             bool required) {
    CLI::Option* o = parser_->app.add_option(flags, value, help);
    if (required) o->required();
}

void CommandLine::add_threads_option(int& threads) {
    const unsigned cores = std::thread::hardware_concurrency();
    threads = cores == 0                                   ? 1
              : cores > static_cast<unsigned>(kMaxThreads) ? kMaxThreads
                                                           : static_cast<int>(cores);
    parser_->threads = &threads;
    parser_->threads_option = parser_->app.add_option(
        "--threads", parser_->threads_text,
        "计算所用的线程数, 1 到 " + std::to_string(kMaxThreads) + " (缺省: 全部核心, " +
            std::to_string(threads) + "); 结果与线程数无关");
    parser_->threads_option->type_name("INT");
}

void CommandLine::add_option(const std::string& flags, std::optional<double>& value,
                             const std::string& help) {
    parser_->app.add_option_function<double>(
        flags, [&value](const double& v) { value = v; }, help);
}

void CommandLine::add_option(const std::string& flags, std::optional<std::string>& value,
                             const std::string& help) {
    parser_->app.add_option_function<std::string>(
        flags, [&value](const std::string& v) { value = v; }, help);
}

std::string CommandLine::usage() const {
    const std::string p = positional_required_ ? positional_ : "[" + positional_ + "]";
    const std::string synopsis = synopsis_.empty() ? "[选项] " + p : synopsis_;
    return "用法: " + program_ + " " + synopsis + " (--help 显示帮助)";
}

std::optional<int> CommandLine::parse(int argc, const char* const* argv) {
    CLI::App& app = parser_->app;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        console_write(app.help());
        return 0;
    } catch (const CLI::CallForVersion&) {
        console_line(program_ + " " + VOXEL_VERSION);
        return 0;
    } catch (const CLI::ParseError& e) {
        diagnostic_line(program_ + ": " + e.what());
        diagnostic_line(usage());
        return 2;
    }
    if (parser_->threads_option && parser_->threads_option->count() > 0 &&
        !parse_thread_count(parser_->threads_text, *parser_->threads)) {
        diagnostic_line(program_ + ": --threads 须为 1 到 " + std::to_string(kMaxThreads) +
                        " 之间的整数, 读到 " +
                        (parser_->threads_text.empty() ? "\"\"" : parser_->threads_text));
        diagnostic_line(usage());
        return 2;
    }
    if (parser_->positional->count() > 0) positional_value_ = parser_->positional_text;
    return std::nullopt;
}

}  // namespace voxel
