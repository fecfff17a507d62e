#include "convert/ConversionMessages.h"

#include "text/ShiftJis.h"

namespace vesk::conversion_messages {

std::string PathText(const std::filesystem::path& path) {
    return BytesAsDisplayText(path.string());
}

Diagnostic AboutFile(const DiagnosticKind& kind, const std::filesystem::path& path) {
    return MakeDiagnostic(kind, {PathText(path)});
}

Diagnostic CannotCreate(const AtomicOutputFile& out) {
    Diagnostic diagnostic = AboutFile(kCannotCreateFile, out.Target());
    if (!out.Refused()) {
        const std::filesystem::path folder = out.Target().parent_path();
        diagnostic.items.push_back(
            MakeDiagnostic(kInFolder, {PathText(folder.empty() ? "." : folder), out.Reason()}));
    }
    return diagnostic;
}

Diagnostic DataLeftOut(std::vector<Diagnostic> items) {
    Diagnostic diagnostic = MakeDiagnostic(kDataLeftOut);
    diagnostic.items = std::move(items);
    return diagnostic;
}

}  // namespace vesk::conversion_messages
