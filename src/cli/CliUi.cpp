#include "CliUi.h"

#include <atomic>
#include <cstdio>

#include "text/ShiftJis.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

std::atomic<bool> logDiagnostics{false};

// A message's own lines kept, each shown as a terminal should: a path in it
// can neither move the cursor nor change colours.
std::string EchoedText(std::string_view text) {
    std::string shown;
    while (true) {
        const std::size_t end = text.find('\n');
        shown += TerminalText(text.substr(0, end));
        if (end == std::string_view::npos) {
            return shown;
        }
        shown += '\n';
        text.remove_prefix(end + 1);
    }
}

}  // namespace

void LogDiagnostics(bool on) {
    logDiagnostics = on;
}

void Log(const Diagnostic& diagnostic) {
    if (logDiagnostics) {
        std::fprintf(stderr, "vesk-cli: %s\n", SanitizeUtf8(DiagnosticLine(diagnostic)).c_str());
    }
}

void Log(const std::vector<Diagnostic>& diagnostics) {
    for (const Diagnostic& diagnostic : diagnostics) {
        Log(diagnostic);
    }
}

void CliUi::Report(const Diagnostic& diagnostic) {
    Log(diagnostic);
    MessageSink::Report(diagnostic);
}

void CliUi::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages_.emplace_back(text);
    if (icon == MessageIcon::Stop) {
        ++errorCount_;
    }
    if (echo_) {
        std::FILE* out = icon == MessageIcon::Stop ? stderr : stdout;
        std::fprintf(out, "[%.*s] %s\n", static_cast<int>(caption.size()), caption.data(),
                     EchoedText(text).c_str());
        std::fflush(out);
    }
}

}  // namespace vesk::cli
