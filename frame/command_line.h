// The command line of the programs: PROGRAM [MODEL] [options], with --help
// and --version. Unknown options are refused with a usage line on standard
// error and exit status 2.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace voxel {

// Most threads a program takes: far more than the cores of any machine it
// runs on, and few enough that starting them cannot exhaust the process.
constexpr int kMaxThreads = 1024;

// The programs' version, as --version shows it after the program's name.
const char* program_version();

class CommandLine {
  public:
    // `program` is the name shown in the usage line, `description` one line
    // saying what it does. The positional argument is named `positional`
    // (e.g. "MODEL"); a required one must be given.
    CommandLine(std::string program, std::string description, std::string positional = "MODEL",
                std::string positional_help = "模型文件 (不给出时在控制台询问路径)",
                bool positional_required = false);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Options a program adds before parsing; `flags` as "--name" or "-n,--name".
    // The value keeps what it holds when the option is not given.
    void add_option(const std::string& flags, int& value, const std::string& help,
                    bool required = false);
    void add_option(const std::string& flags, double& value, const std::string& help,
                    bool required = false);
    void add_option(const std::string& flags, std::string& value, const std::string& help,
                    bool required = false);
    // "--threads N": how many threads share the work, a whole number from 1
    // to kMaxThreads; `threads` starts at the number of cores (at most
    // kMaxThreads). Anything else is refused with the range in the message.
    void add_threads_option(int& threads);
    // An optional value: empty unless the option is given.
    void add_option(const std::string& flags, std::optional<double>& value,
                    const std::string& help);
    void add_option(const std::string& flags, std::optional<std::string>& value,
                    const std::string& help);

    // Parses the arguments. Returns the exit status when the program must end
    // at once: 0 after --help or --version (the text on standard output), 2
    // for a command line that is refused (the reason and a usage line on
    // standard error). Returns nothing when the program goes on.
    std::optional<int> parse(int argc, const char* const* argv);

    // The positional argument, when it was given.
    const std::optional<std::string>& positional() const { return positional_value_; }

    // The usage line, "用法: <program> <synopsis> (--help 显示帮助)"; the
    // synopsis is "[选项] [MODEL]" unless a program sets its own.
    std::string usage() const;
    void set_synopsis(std::string synopsis) { synopsis_ = std::move(synopsis); }

  private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
    std::string program_;
    std::string positional_;
    bool positional_required_;
    std::optional<std::string> positional_value_;
    std::string synopsis_;
};

}  // namespace voxel
