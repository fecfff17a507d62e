#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace vesk::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs vesk-cli with the arguments (no shell involved) and collects what it printed.
// Variables in env are set for the child; an empty value unsets one.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {});

// A limit of the child's resources (setrlimit's), such as RLIMIT_CPU in
// seconds or RLIMIT_AS in bytes.
struct ResourceLimit {
    int resource = 0;
    unsigned long long most = 0;
};

// Runs vesk-cli under the limits: a child that goes beyond its CPU time is
// ended by the system (exit code -1), one beyond its address space fails to
// allocate, one beyond its open files fails to open.
CliResult RunCliWithLimits(const std::vector<std::string>& args,
                           const std::vector<ResourceLimit>& limits);

// Standard output that takes nothing: a full disk, or a pipe whose reader went away.
enum class UnwritableOutput { FullDisk, ClosedPipe };

// Runs vesk-cli with such a standard output; `out` of the result stays empty.
CliResult RunCliWithUnwritableOutput(const std::vector<std::string>& args, UnwritableOutput kind);

// vesk-cli started beside the test, what it prints thrown away; killed and
// reaped when it goes, whatever the test's checks said.
class RunningCli {
public:
    explicit RunningCli(const std::vector<std::string>& args);
    ~RunningCli();
    RunningCli(const RunningCli&) = delete;
    RunningCli& operator=(const RunningCli&) = delete;

    // Whether it still runs; once it has ended it is reaped.
    bool Running();
    // Ends it with the signal and reaps it.
    void Kill(int signal);
    // Its exit status once it has ended by itself; -1 when a signal ended it.
    int Wait();

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool reaped_ = false;
};

}  // namespace vesk::test
