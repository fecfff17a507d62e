#include "convert/ConversionMessages.h"

#include "text/ShiftJis.h"

namespace vesk::conversion_messages {

std::string PathText(const std::filesystem::path& path) {
    return BytesAsDisplayText(path.string());
}

Diagnostic AboutFile(const DiagnosticKind& kind, const std::filesystem::path& path) {
    return MakeDiagnostic(kind, {PathText(path)});
}

Diagnostic DataLeftOut(std::vector<Diagnostic> items) {
    Diagnostic diagnostic = MakeDiagnostic(kDataLeftOut);
    diagnostic.items = std::move(items);
    return diagnostic;
}

}  // namespace vesk::conversion_messages
