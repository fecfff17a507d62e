#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vesk {

enum class MessageIcon { Stop, Information };

inline constexpr std::string_view kErrorCaption = "ｴﾗｰ";
inline constexpr std::string_view kNoticeCaption = "ﾒｯｾｰｼﾞ";

// Everything the document needs from whoever shows it to a user: the Qt program,
// the command-line tool, or a test that records what was shown. Texts are UTF-8.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;

    // A modal message box with an OK button; returns when the user closed it.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    // The view's scroll extent becomes width x height, the main window is resized
    // so that the view's client area is exactly that, and the view is repainted.
    virtual void SetExtentAndFitFrame(int width, int height) = 0;

    // The whole view is to be drawn again.
    virtual void InvalidateView() = 0;

    // The document title changed; the main window shows it and comes to the front.
    virtual void TitleChanged(std::string_view title) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The open dialog of the open sheet command; nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseSheetFile() = 0;
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(DocumentUi& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    DocumentUi& ui_;
};

}  // namespace vesk
