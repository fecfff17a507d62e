// vesk-cli sample: write a realistic sheet file to try the program and its tests on.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "Commands.h"
#include "SampleLimits.h"
#include "SampleSheet.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

using sample::SampleOptions;

constexpr const char* kUsage =
    "usage: vesk-cli sample OUT.tqb [--zone Z] [--origin X,Y] [--name TEXT] [--seed N]\n"
    "                [--buildings N] [--dem COLSxROWS] [--texture PIXELS] [--image WxH]\n"
    "                [--without name|image|buildings|dem|ortho]...\n";

struct SampleRequest {
    std::string out;
    SampleOptions options;
};

// The whole text as an integer within [low, high].
std::optional<long long> ParseInteger(std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// The whole text as a finite real within [-limit, limit].
std::optional<double> ParseReal(std::string_view text, double limit) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::abs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

// Two integers in [low, high] joined by the separator, as in "500x375".
std::optional<std::pair<int, int>> ParseIntegerPair(std::string_view text, char separator, int low,
                                                    int high) {
    const auto at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto first = ParseInteger(text.substr(0, at), low, high);
    const auto second = ParseInteger(text.substr(at + 1), low, high);
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(*first), static_cast<int>(*second)};
}

// The spacing at which the grid spans the sub-sheet along its tighter side, so
// that the whole grid lies on the sub-sheet; the default for a single point.
float DemSpacing(int columns, int rows) {
    double spacing = sample::kMaxDemSpacing;
    if (columns > 1) {
        spacing = std::min(spacing, 400.0 / (columns - 1));
    }
    if (rows > 1) {
        spacing = std::min(spacing, 300.0 / (rows - 1));
    }
    return columns > 1 || rows > 1 ? static_cast<float>(spacing) : SampleOptions{}.demSpacing;
}

std::string Range(long long low, long long high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

std::string Got(std::string_view value) {
    return " (got '" + std::string(value) + "')";
}

// Each option applies its value to the options, or tells why it cannot.
using Reason = std::optional<std::string>;

Reason ApplyZone(std::string_view value, SampleOptions& options) {
    const auto zone =
        ParseInteger(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!zone) {
        return "--zone needs a whole number" + Got(value);
    }
    options.zone = static_cast<int>(*zone);
    return std::nullopt;
}

Reason ApplyOrigin(std::string_view value, SampleOptions& options) {
    const auto comma = value.find(',');
    if (comma == std::string_view::npos) {
        return "--origin needs X,Y" + Got(value);
    }
    const auto x = ParseReal(value.substr(0, comma), sample::kMaxOriginMagnitude);
    const auto y = ParseReal(value.substr(comma + 1), sample::kMaxOriginMagnitude);
    if (!x || !y) {
        return "--origin needs X,Y in metres, each within 1000000" + Got(value);
    }
    options.originX = static_cast<float>(*x);
    options.originY = static_cast<float>(*y);
    return std::nullopt;
}

Reason ApplyName(std::string_view value, SampleOptions& options) {
    if (value.empty() || value.size() > sample::kMaxNameBytes) {
        return "--name needs a text of 1 to " + std::to_string(sample::kMaxNameBytes) + " bytes";
    }
    options.name = std::string(value);
    return std::nullopt;
}

Reason ApplySeed(std::string_view value, SampleOptions& options) {
    const auto seed = ParseInteger(value, 0, std::numeric_limits<std::uint32_t>::max());
    if (!seed) {
        return "--seed needs a number from " + Range(0, std::numeric_limits<std::uint32_t>::max()) +
               Got(value);
    }
    options.seed = static_cast<std::uint32_t>(*seed);
    return std::nullopt;
}

Reason ApplyBuildings(std::string_view value, SampleOptions& options) {
    const auto count = ParseInteger(value, 0, sample::kMaxBuildingsPerSubSheet);
    if (!count) {
        return "--buildings needs a number from " + Range(0, sample::kMaxBuildingsPerSubSheet) +
               Got(value);
    }
    options.buildingsPerSubSheet = static_cast<int>(*count);
    return std::nullopt;
}

Reason ApplyDem(std::string_view value, SampleOptions& options) {
    const auto grid = ParseIntegerPair(value, 'x', 1, sample::kMaxDemSide);
    if (!grid || static_cast<long long>(grid->first) * grid->second > sample::kMaxDemPoints) {
        return "--dem needs COLSxROWS, each " + Range(1, sample::kMaxDemSide) + " and at most " +
               std::to_string(sample::kMaxDemPoints) + " points" + Got(value);
    }
    options.demColumns = grid->first;
    options.demRows = grid->second;
    options.demSpacing = DemSpacing(grid->first, grid->second);
    return std::nullopt;
}

Reason ApplyTexture(std::string_view value, SampleOptions& options) {
    const auto pixels = ParseInteger(value, 1, sample::kMaxTexturePixels);
    if (!pixels) {
        return "--texture needs a side of " + Range(1, sample::kMaxTexturePixels) + " pixels" +
               Got(value);
    }
    options.texturePixels = static_cast<int>(*pixels);
    return std::nullopt;
}

Reason ApplyImage(std::string_view value, SampleOptions& options) {
    const auto size = ParseIntegerPair(value, 'x', 1, sample::kMaxImageSide);
    if (!size) {
        return "--image needs WxH, each side " + Range(1, sample::kMaxImageSide) + " pixels" +
               Got(value);
    }
    options.imageWidth = size->first;
    options.imageHeight = size->second;
    return std::nullopt;
}

Reason ApplyWithout(std::string_view value, SampleOptions& options) {
    const std::pair<std::string_view, bool SampleOptions::*> parts[] = {
        {"name", &SampleOptions::withName},           {"image", &SampleOptions::withImage},
        {"buildings", &SampleOptions::withBuildings}, {"dem", &SampleOptions::withDem},
        {"ortho", &SampleOptions::withOrtho},
    };
    for (const auto& [name, part] : parts) {
        if (value == name) {
            options.*part = false;
            return std::nullopt;
        }
    }
    return "--without takes name, image, buildings, dem or ortho" + Got(value);
}

struct Option {
    std::string_view name;
    Reason (*apply)(std::string_view, SampleOptions&);
    bool repeatable;
};

constexpr Option kOptions[] = {
    {"--zone", ApplyZone, false},           {"--origin", ApplyOrigin, false},
    {"--name", ApplyName, false},           {"--seed", ApplySeed, false},
    {"--buildings", ApplyBuildings, false}, {"--dem", ApplyDem, false},
    {"--texture", ApplyTexture, false},     {"--image", ApplyImage, false},
    {"--without", ApplyWithout, true},
};

const Option* FindOption(std::string_view name) {
    for (const Option& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

// The request, or the reason the arguments make none.
std::optional<SampleRequest> ParseSample(Arguments args, std::string& error) {
    std::optional<std::string> out;
    SampleRequest request;
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("-")) {
            if (out) {
                error = "only one output file can be given ('" + std::string(arg) + "')";
                return std::nullopt;
            }
            out = std::string(arg);
            continue;
        }
        const Option* option = FindOption(arg);
        if (!option) {
            error = "unknown option '" + std::string(arg) + "'";
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        }
        if (!option->repeatable && !seen.insert(arg).second) {
            error = std::string(arg) + " is given more than once";
            return std::nullopt;
        }
        if (Reason reason = option->apply(args[++i], request.options)) {
            error = *reason;
            return std::nullopt;
        }
    }
    if (!out) {
        error = "the output file is missing";
        return std::nullopt;
    }
    request.out = *out;
    return request;
}

}  // namespace

int RunSample(Arguments args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    std::string error;
    const auto request = ParseSample(args, error);
    if (!request) {
        std::fprintf(stderr, "vesk-cli sample: %s\n%s", SanitizeUtf8(error).c_str(), kUsage);
        return kExitUsage;
    }
    const std::filesystem::path path(request->out);
    if (!sample::WriteSampleSheet(request->options, path, error)) {
        std::fprintf(stderr, "vesk-cli sample: cannot write %s: %s\n",
                     BytesAsDisplayText(request->out).c_str(), SanitizeUtf8(error).c_str());
        return kExitFailed;
    }
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    std::printf("Wrote %s (%s bytes)\n", BytesAsDisplayText(request->out).c_str(),
                sizeError ? "?" : std::to_string(size).c_str());
    return kExitOk;
}

}  // namespace vesk::cli
