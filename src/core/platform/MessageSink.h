#pragma once

#include <string_view>

#include "platform/Diagnostic.h"

namespace vesk {

enum class MessageIcon { Stop, Information };

inline constexpr std::string_view kErrorCaption = "ｴﾗｰ";
inline constexpr std::string_view kNoticeCaption = "ﾒｯｾｰｼﾞ";

// Where the readers and writers tell a user what became of their work: the
// program's message boxes, the command line's output, a batch job's report or
// a test that records what was shown. Texts are UTF-8.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // A modal message box with an OK button; returns when the user closed it.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    // A diagnostic shown as the program shows it: its Japanese text in a box
    // captioned by its severity. Whoever keeps a log also logs its code here.
    virtual void Report(const Diagnostic& diagnostic);
};

}  // namespace vesk
