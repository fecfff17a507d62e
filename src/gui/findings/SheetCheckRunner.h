#pragma once

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "check/SheetCheck.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// How a sheet file is checked: CheckSheetFile in the program.
using SheetChecker = std::function<std::optional<SheetCheck>(const std::filesystem::path& path,
                                                             const CheckOptions& options)>;

// Checks each loaded sheet on a thread of its own, so the window stays
// responsive, and hands the result to the window's thread. It reads the sheet
// file by itself: the load and the conversion never wait for it or see it.
class SheetCheckRunner : public QObject {
    Q_OBJECT

public:
    explicit SheetCheckRunner(SheetChecker check, QObject* parent = nullptr);
    ~SheetCheckRunner() override;

    // Called whenever the document may have loaded another sheet: a new load
    // stops the running check, drops the result and checks the new sheet. A
    // survey map shown in the sheet's place stops and drops it as well.
    void Follow(const CMyVeskDoc& doc);

    // The check of the sheet shown; nothing while it runs, without a sheet or
    // when the file could not be read again.
    const std::shared_ptr<const SheetCheck>& Result() const { return result_; }
    bool Running() const { return running_; }
    // Why the check of the sheet shown stopped without a result; empty unless it did.
    const std::string& Failure() const { return failure_; }

signals:
    // The result changed: it arrived, or it was dropped for another sheet.
    void Changed();

private:
    void Start(const std::filesystem::path& path);
    void Deliver(std::uint64_t run, std::shared_ptr<SheetCheck> check, std::string failure);

    SheetChecker check_;
    std::pair<std::uint64_t, bool> followed_{~std::uint64_t{0}, false};
    std::uint64_t run_ = 0;
    bool running_ = false;
    std::shared_ptr<const SheetCheck> result_;
    std::string failure_;
    // Last member: it is stopped and joined before anything it posts to goes.
    std::jthread worker_;
};

}  // namespace vesk::gui
