#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace testing_support {

namespace {

std::vector<std::string> child_environment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    auto overridden = [&extra](const std::string& entry) {
        const std::string name = entry.substr(0, entry.find('='));
        for (const std::string& e : extra)
            if (e.substr(0, e.find('=')) == name) return true;
        return false;
    };
    bool has_lc_all = false;
    for (const std::string& e : extra)
        if (e.rfind("LC_ALL=", 0) == 0) has_lc_all = true;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        if (entry.rfind("LC_ALL=", 0) == 0 && !has_lc_all) continue;
        if (!overridden(entry)) env.push_back(entry);
    }
    for (const std::string& e : extra) env.push_back(e);
    if (!has_lc_all) env.push_back("LC_ALL=C.UTF-8");
    return env;
}

}  // namespace

ProcessResult run_program(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options) {
    ProcessResult result;
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return result;

    std::vector<std::string> env = child_environment(options.env);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_s;
    argv_s.push_back(program);
    for (const std::string& a : args) argv_s.push_back(a);
    std::vector<char*> argv;
    for (std::string& a : argv_s) argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in_pipe[0], 0);
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
            close(fd);
        if (!options.working_dir.empty() && chdir(options.working_dir.c_str()) != 0) _exit(127);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);

    signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    int in_fd = in_pipe[1];
    if (options.stdin_text.empty()) {
        close(in_fd);
        in_fd = -1;
    } else {
        fcntl(in_fd, F_SETFL, O_NONBLOCK);
    }

    const auto start = std::chrono::steady_clock::now();
    bool out_open = true, err_open = true;
    while (out_open || err_open) {
        std::vector<pollfd> fds;
        if (out_open) fds.push_back({out_pipe[0], POLLIN, 0});
        if (err_open) fds.push_back({err_pipe[0], POLLIN, 0});
        if (in_fd >= 0) fds.push_back({in_fd, POLLOUT, 0});
        poll(fds.data(), fds.size(), 100);
        for (const pollfd& p : fds) {
            if (p.fd == in_fd && (p.revents & (POLLOUT | POLLERR | POLLHUP))) {
                const ssize_t n = write(in_fd, options.stdin_text.data() + written,
                                        options.stdin_text.size() - written);
                if (n > 0) written += static_cast<std::size_t>(n);
                if (n < 0 || written == options.stdin_text.size()) {
                    close(in_fd);
                    in_fd = -1;
                }
            } else if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
                char buf[65536];
                const ssize_t n = read(p.fd, buf, sizeof buf);
                std::string& sink = (p.fd == out_pipe[0]) ? result.out : result.err;
                if (n > 0) {
                    sink.append(buf, static_cast<std::size_t>(n));
                } else {
                    if (p.fd == out_pipe[0])
                        out_open = false;
                    else
                        err_open = false;
                }
            }
        }
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > options.time_limit_seconds) {
            kill(pid, SIGKILL);
            result.timed_out = true;
            break;
        }
    }
    if (in_fd >= 0) close(in_fd);
    close(out_pipe[0]);
    close(err_pipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string read_file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace testing_support
