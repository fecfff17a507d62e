#include "convert/SimulatorEnvironment.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "convert/ConversionMessages.h"
#include "sheet/ByteReader.h"
#include "sheet/FileByteSource.h"
#include "text/ShiftJis.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;

// The file was read through a 1024-character line buffer: a longer line comes
// in parts of 1023 characters, and each part is handled as a line.
constexpr std::size_t kMaxLinePart = 1023;
constexpr std::size_t kReadBlock = 4096;

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// Splits a byte source into lines ending with "\n" (kept), none longer than kMaxLinePart.
class LinePartReader {
public:
    explicit LinePartReader(ByteSource& source) : reader_(source) {}

    std::optional<std::string> Next() {
        std::string part;
        while (part.size() < kMaxLinePart) {
            if (next_ == block_.size() && !Refill()) {
                break;
            }
            const char c = static_cast<char>(block_[next_++]);
            part += c;
            if (c == '\n') {
                break;
            }
        }
        if (part.empty()) {
            return std::nullopt;
        }
        return part;
    }

private:
    bool Refill() {
        block_.resize(kReadBlock);
        block_.resize(reader_.ReadSome(block_));
        next_ = 0;
        return !block_.empty();
    }

    ByteReader reader_;
    std::vector<std::byte> block_;
    std::size_t next_ = 0;
};

// Both "/" and "\" in the geometry and texture parts become the platform's separator.
std::string WithPlatformSeparators(std::string part) {
    for (char& c : part) {
        if (c == '/' || c == '\\') {
            c = kSeparator;
        }
    }
    return part;
}

std::string JoinFolder(const std::string& folder, std::string_view part) {
    std::string joined = folder;
    joined += kSeparator;
    joined += part;
    return joined;
}

struct EnvironmentValues {
    std::optional<std::string> home;
    std::optional<std::string> geometry;
    std::optional<std::string> texture;
};

void TakeLine(EnvironmentValues& values, const std::string& key, const std::string& value) {
    if (key == "HOME_PATH") {
        values.home = value;
    } else if (key == "FILE_PATH_GEOMETRY" || key == "FILE_PATH_MASTER_GEOMETRY") {
        values.geometry = WithPlatformSeparators(value);
    } else if (key == "FILE_PATH_TEXTURE" || key == "FILE_PATH_MASTER_TEXTURE") {
        values.texture = WithPlatformSeparators(value);
    }
}

// The folder the file names, or the default below the home folder after the notice.
std::string FolderOrDefault(const EnvironmentValues& values, const std::optional<std::string>& part,
                            std::string_view defaultLeaf, const DiagnosticKind& notice,
                            MessageSink& ui) {
    if (part) {
        return JoinFolder(*values.home, *part);
    }
    const std::string folder = JoinFolder(JoinFolder(*values.home, "kdb"), defaultLeaf);
    ui.Report(MakeDiagnostic(notice, {BytesAsDisplayText(folder)}));
    return folder;
}

}  // namespace

std::optional<std::string> ProcessEnvironmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::pair<std::string, std::string>> SplitEnvironmentLine(std::string_view line) {
    // The line was scanned as a C string: a NUL byte ends it.
    line = line.substr(0, line.find('\0'));
    constexpr std::string_view kSeparators = "= \t";
    const std::size_t keyEnd = line.find_first_of(kSeparators);
    if (keyEnd == 0 || keyEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t valueStart = line.find_first_not_of(kSeparators, keyEnd);
    if (valueStart == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t valueEnd = line.find(';', valueStart);
    std::string_view value = line.substr(valueStart, valueEnd - valueStart);
    if (valueEnd == std::string_view::npos) {
        while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) {
            value.remove_suffix(1);
        }
    }
    if (value.empty()) {
        return std::nullopt;
    }
    return std::pair{std::string(line.substr(0, keyEnd)), std::string(value)};
}

std::optional<SimulatorFolders> ReadSimulatorEnvironment(std::optional<std::string_view> ksimEnv,
                                                         MessageSink& ui) {
    if (!ksimEnv || ksimEnv->empty()) {
        return std::nullopt;
    }
    auto source = FileByteSource::Open(std::filesystem::path(std::string(*ksimEnv)));
    if (!source) {
        return std::nullopt;
    }
    EnvironmentValues values;
    LinePartReader lines(*source);
    while (const auto line = lines.Next()) {
        if (const auto keyValue = SplitEnvironmentLine(*line)) {
            TakeLine(values, keyValue->first, keyValue->second);
        }
    }
    if (!values.home) {
        return std::nullopt;
    }
    SimulatorFolders folders;
    folders.geometry =
        FolderOrDefault(values, values.geometry, "geometry", msg::kGeometryFolderAssumed, ui);
    folders.texture =
        FolderOrDefault(values, values.texture, "texture", msg::kTextureFolderAssumed, ui);
    return folders;
}

}  // namespace vesk
