#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "CliRunner.h"

namespace vesk {
namespace {

using test::RunCli;

// Just enough JSON for what the zones command prints: objects, arrays,
// strings without escapes, numbers.
struct Json {
    std::string text;               // a string's text or a number's spelling
    std::vector<Json> items;        // an array's elements or an object's values
    std::vector<std::string> keys;  // an object's keys, in step with items

    const Json& operator[](std::string_view key) const {
        const auto found = std::find(keys.begin(), keys.end(), key);
        if (found == keys.end()) {
            throw std::out_of_range("no member " + std::string(key));
        }
        return items.at(static_cast<std::size_t>(found - keys.begin()));
    }
    const Json& operator[](std::size_t i) const { return items.at(i); }
    double Number() const { return std::strtod(text.c_str(), nullptr); }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view in) : in_(in) {}

    std::optional<Json> Document() {
        Json value;
        if (!Value(value)) {
            return std::nullopt;
        }
        Skip();
        return pos_ == in_.size() ? std::optional(value) : std::nullopt;
    }

private:
    void Skip() {
        while (pos_ < in_.size() && std::string_view(" \n\r\t").find(in_[pos_]) != in_.npos) {
            ++pos_;
        }
    }

    bool Take(char c) {
        Skip();
        if (pos_ < in_.size() && in_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool String(std::string& out) {
        if (!Take('"')) {
            return false;
        }
        const std::size_t end = in_.find('"', pos_);
        if (end == in_.npos) {
            return false;
        }
        out = std::string(in_.substr(pos_, end - pos_));
        pos_ = end + 1;
        return true;
    }

    template <typename Element>
    bool List(char close, Element element) {
        if (Take(close)) {
            return true;
        }
        do {
            if (!element()) {
                return false;
            }
        } while (Take(','));
        return Take(close);
    }

    bool Value(Json& out) {
        Skip();
        if (Take('[')) {
            return List(']', [&] { return Value(out.items.emplace_back()); });
        }
        if (Take('{')) {
            return List('}', [&] {
                return String(out.keys.emplace_back()) && Take(':') &&
                       Value(out.items.emplace_back());
            });
        }
        if (pos_ < in_.size() && in_[pos_] == '"') {
            return String(out.text);
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() &&
               std::string_view("+-.0123456789eE").find(in_[pos_]) != in_.npos) {
            ++pos_;
        }
        out.text = std::string(in_.substr(start, pos_ - start));
        return pos_ > start;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
};

Json ZonesJson() {
    const auto result = RunCli({"zones", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::optional<Json> json = JsonReader(result.out).Document();
    EXPECT_TRUE(json.has_value()) << result.out.substr(0, 200);
    return json.value_or(Json{});
}

TEST(ZonesCommand, JsonListsZonesSixAndNineWithOriginAndExtent) {
    const Json json = ZonesJson();
    const Json& zones = json["zones"];
    ASSERT_EQ(zones.items.size(), 2u);
    EXPECT_EQ(zones[0]["zone"].text, "6");
    EXPECT_EQ(zones[0]["origin"][0].text, "220");
    EXPECT_EQ(zones[0]["origin"][1].text, "90");
    EXPECT_EQ(zones[0]["extent"][0].text, "410");
    EXPECT_EQ(zones[0]["extent"][1].text, "680");
    EXPECT_EQ(zones[1]["zone"].text, "9");
    EXPECT_EQ(zones[1]["origin"][0].text, "260");
    EXPECT_EQ(zones[1]["extent"][1].text, "720");
}

TEST(ZonesCommand, JsonHasEveryPrefectureWithItsLabelAndWholeOutline) {
    const Json json = ZonesJson();
    const Json& zone6 = json["zones"][0]["prefectures"];
    const Json& zone9 = json["zones"][1]["prefectures"];
    ASSERT_EQ(zone6.items.size(), 7u);
    ASSERT_EQ(zone9.items.size(), 8u);
    std::size_t points = 0;
    for (const Json* zone : {&zone6, &zone9}) {
        for (const Json& prefecture : zone->items) {
            const Json& outline = prefecture["outline"];
            ASSERT_GE(outline.items.size(), 2u);
            EXPECT_EQ(outline.items.front()[0].text, outline.items.back()[0].text);
            EXPECT_EQ(outline.items.front()[1].text, outline.items.back()[1].text);
            points += outline.items.size();
        }
    }
    EXPECT_EQ(points, 1515u);

    EXPECT_EQ(zone6[0]["name"].text, "福井県");
    EXPECT_EQ(zone6[0]["label"][0].text, "26000.0");
    EXPECT_EQ(zone6[0]["label"][1].text, "-3000.0");
    EXPECT_EQ(zone6[0]["outline"].items.size(), 124u);
    EXPECT_EQ(zone6[0]["outline"][0][0].text, "-21145.2");
    EXPECT_EQ(zone6[0]["outline"][0][1].text, "-70304.16");
    EXPECT_EQ(zone6[3]["name"].text, "京都府");
    EXPECT_EQ(zone6[3]["outline"][0][0].text, "3915.33");
    EXPECT_EQ(zone6[3]["outline"][0][1].text, "-138558.23");

    EXPECT_EQ(zone9[5]["name"].text, "埼玉県");
    EXPECT_EQ(zone9[5]["label"][1].text, "-2907.2815");
    EXPECT_EQ(zone9[7]["name"].text, "東京都");
    EXPECT_EQ(zone9[7]["outline"].items.size(), 74u);
    EXPECT_FLOAT_EQ(static_cast<float>(zone9[7]["outline"][0][0].Number()), -6637.92f);
    EXPECT_FLOAT_EQ(static_cast<float>(zone9[7]["outline"][0][1].Number()), -50425.19f);
}

TEST(ZonesCommand, PlainOutputNamesEveryPrefectureWithItsPointCount) {
    const auto result = RunCli({"zones"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("Zone 6: map origin 220,90, extent 410 x 680 pixels"),
              std::string::npos);
    EXPECT_NE(result.out.find("Zone 9: map origin 260,460, extent 490 x 720 pixels"),
              std::string::npos);
    EXPECT_NE(result.out.find("6 和歌山県: label -53000.0,-235000.0, 100 outline points"),
              std::string::npos);
    EXPECT_NE(result.out.find("7 東京都: label -32541.805,-34007.18, 74 outline points"),
              std::string::npos);
    EXPECT_NE(result.out.find("-21145.2,-70304.16"), std::string::npos);
}

}  // namespace
}  // namespace vesk
