#pragma once

#include <string>
#include <vector>

#include "document/UnattendedUi.h"

namespace vesk::cli {

// The document's user interface on a terminal: messages are kept in order and,
// when echo is on, printed with their caption as they come (notices on standard
// output, errors on standard error). Dialogs answer what the command line said.
class CliUi : public UnattendedUi {
public:
    explicit CliUi(bool echo) : echo_(echo) {}

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void Report(const Diagnostic& diagnostic) override;

    const std::vector<std::string>& Messages() const { return messages_; }
    int ErrorCount() const { return errorCount_; }

private:
    bool echo_;
    std::vector<std::string> messages_;
    int errorCount_ = 0;
};

// Whether every diagnostic is also printed with its code on standard error.
void LogDiagnostics(bool on);

// The diagnostic with its code on standard error, when they are logged. The
// user interface logs what it is told; a command logs what it reports after
// the work, such as a batch's or a check's.
void Log(const Diagnostic& diagnostic);
void Log(const std::vector<Diagnostic>& diagnostics);

}  // namespace vesk::cli
