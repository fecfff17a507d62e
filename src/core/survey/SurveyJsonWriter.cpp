#include "survey/SurveyJsonWriter.h"

#include <type_traits>

#include "survey/ZonePresenceFlags.h"
#include "text/JsonNumbers.h"
#include "text/JsonText.h"
#include "text/ShiftJis.h"

namespace vesk {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

// The document's text, handed to the stream a block at a time; the layout is
// JsonText's: the top object's members each on a line of their own after one
// space, each entry on a line of its own after two.
class SurveyJsonText {
public:
    explicit SurveyJsonText(std::FILE* out) : out_(out) { text_.reserve(2 * kBlockBytes); }
    ~SurveyJsonText() { Flush(); }

    SurveyJsonText(const SurveyJsonText&) = delete;
    SurveyJsonText& operator=(const SurveyJsonText&) = delete;

    void Head(std::string_view folder, std::span<const std::string> messages) {
        text_ += "{\"folder\": ";
        AppendJsonString(text_, folder);
        text_ += ",\n \"messages\": [";
        for (std::size_t k = 0; k < messages.size(); ++k) {
            text_ += k == 0 ? "" : ", ";
            AppendJsonString(text_, messages[k]);
        }
        text_ += "],\n \"entries\": [";
    }

    void Entry(const SurveyEntry& entry, bool first) {
        const SheetArea& area = entry.area;
        text_ += first ? "\n  {\"scale\": " : ",\n  {\"scale\": ";
        text_ += std::to_string(area.scale);
        text_ += ", \"zone\": ";
        text_ += std::to_string(area.zone);
        Real(", \"x\": ", area.originX);
        Real(", \"y\": ", area.originY);
        Real(", \"width\": ", area.width);
        Real(", \"height\": ", area.height);
        text_ += ", \"name\": ";
        AppendJsonString(text_, ShiftJisToUtf8(entry.name));
        text_ += ", \"path\": ";
        Path(entry.path);
        text_ += '}';
        if (text_.size() >= kBlockBytes) {
            Flush();
        }
    }

    void Tail(const std::vector<int>& zones) {
        text_ += "],\n \"zones\": [";
        for (std::size_t k = 0; k < zones.size(); ++k) {
            text_ += k == 0 ? "" : ", ";
            text_ += std::to_string(zones[k]);
        }
        text_ += "]}\n";
    }

private:
    void Real(std::string_view key, float value) {
        text_ += key;
        text_ += JsonFloat(value);
    }

    // Where paths are narrow strings already, the path's own text, not a copy.
    void Path(const std::filesystem::path& path) {
        if constexpr (std::is_same_v<std::filesystem::path::string_type, std::string>) {
            AppendJsonString(text_, path.native());
        } else {
            AppendJsonString(text_, path.string());
        }
    }

    void Flush() {
        std::fwrite(text_.data(), 1, text_.size(), out_);
        text_.clear();
    }

    std::FILE* out_;
    std::string text_;
};

}  // namespace

void WriteSurveyJson(std::FILE* out, std::string_view folder, std::span<const std::string> messages,
                     const SurveyList& entries) {
    SurveyJsonText text(out);
    text.Head(folder, messages);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        text.Entry(entries[k], k == 0);
    }
    text.Tail(ZonesPresent(PresentZones(entries)));
}

}  // namespace vesk
