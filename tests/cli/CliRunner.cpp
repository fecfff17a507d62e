#include "CliRunner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TempDir.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_TESTS_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VESK_TESTS_SANITIZED 1
#endif

namespace vesk::test {
namespace {

#ifdef VESK_TESTS_SANITIZED
// A vesk-cli under AddressSanitizer reserves terabytes of address space for
// its shadow and does its work several times over: a limit on its address
// space would stop it before it starts, and its time is allowed ten times.
rlimit Sanitized(const ResourceLimit& limit) {
    if (limit.resource == RLIMIT_AS) {
        return {RLIM_INFINITY, RLIM_INFINITY};
    }
    const rlim_t most = limit.resource == RLIMIT_CPU ? limit.most * 10 : limit.most;
    return {most, most};
}
#else
rlimit Sanitized(const ResourceLimit& limit) {
    return {limit.most, limit.most};
}
#endif

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

[[noreturn]] void RunChild(const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& env, int out,
                           const std::filesystem::path& errPath,
                           const std::vector<ResourceLimit>& limits = {}) {
    for (const ResourceLimit& limit : limits) {
        const rlimit value = Sanitized(limit);
        ::setrlimit(limit.resource, &value);
    }
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    for (const auto& [name, value] : env) {
        if (value.empty()) {
            ::unsetenv(name.c_str());
        } else {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    std::vector<char*> argv;
    std::string program = VESK_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

int WaitForExitCode(pid_t child) {
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return -1;
}

CliResult RunCollecting(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env,
                        const std::vector<ResourceLimit>& limits) {
    TempDir dir;
    const auto outPath = dir / "stdout";
    const auto errPath = dir / "stderr";
    const pid_t child = ::fork();
    if (child == 0) {
        RunChild(args, env, ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), errPath,
                 limits);
    }
    CliResult result;
    result.exitCode = WaitForExitCode(child);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env) {
    return RunCollecting(args, env, {});
}

CliResult RunCliWithLimits(const std::vector<std::string>& args,
                           const std::vector<ResourceLimit>& limits) {
    return RunCollecting(args, {}, limits);
}

CliResult RunCliWithUnwritableOutput(const std::vector<std::string>& args, UnwritableOutput kind) {
    TempDir dir;
    const auto errPath = dir / "stderr";
    int out = -1;
    if (kind == UnwritableOutput::FullDisk) {
        out = ::open("/dev/full", O_WRONLY);
    } else {
        int ends[2] = {-1, -1};
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            out = ends[1];
        }
    }
    const pid_t child = ::fork();
    if (child == 0) {
        RunChild(args, {}, out, errPath);
    }
    ::close(out);
    CliResult result;
    result.exitCode = WaitForExitCode(child);
    result.err = ReadWhole(errPath);
    return result;
}

RunningCli::RunningCli(const std::vector<std::string>& args) : pid_(::fork()) {
    if (pid_ == 0) {
        RunChild(args, {}, ::open("/dev/null", O_WRONLY), "/dev/null");
    }
}

RunningCli::~RunningCli() {
    if (pid_ > 0 && !reaped_) {
        Kill(SIGKILL);
    }
}

bool RunningCli::Running() {
    if (!reaped_ && pid_ > 0 && ::waitpid(pid_, &status_, WNOHANG) == pid_) {
        reaped_ = true;
    }
    return !reaped_ && pid_ > 0;
}

void RunningCli::Kill(int signal) {
    if (Running()) {
        ::kill(pid_, signal);
        reaped_ = ::waitpid(pid_, &status_, 0) == pid_;
    }
}

int RunningCli::Wait() {
    if (!reaped_ && pid_ > 0) {
        reaped_ = ::waitpid(pid_, &status_, 0) == pid_;
    }
    return reaped_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

}  // namespace vesk::test
