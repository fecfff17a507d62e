#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Short texts formatted once and put many times, kept one after another in
// one string and found again by their index.
class TextList {
public:
    void Clear() {
        text_.clear();
        spans_.clear();
    }

    void Add(const char* begin, const char* end) {
        spans_.push_back({text_.size(), static_cast<std::size_t>(end - begin)});
        text_.append(begin, end);
    }

    std::size_t Size() const { return spans_.size(); }
    // Characters of all texts together.
    std::size_t TextBytes() const { return text_.size(); }

    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_).substr(spans_[i].offset, spans_[i].length);
    }

private:
    struct Span {
        std::size_t offset;
        std::size_t length;
    };
    std::string text_;
    std::vector<Span> spans_;
};

}  // namespace vesk
