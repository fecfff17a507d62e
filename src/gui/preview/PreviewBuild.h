#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "preview/PreviewScene.h"
#include "sheet/SubSheetRecord.h"

namespace vesk::gui {

// Which of the preview's requests a build is for. A newer request overtakes
// it: the build stops at its next step and what it made is dropped.
class BuildRequest {
public:
    BuildRequest(const std::atomic<std::uint64_t>& latest, std::uint64_t number)
        : latest_(&latest), number_(number) {}

    std::uint64_t Number() const { return number_; }
    bool Overtaken() const { return latest_->load() != number_; }

private:
    const std::atomic<std::uint64_t>* latest_;
    std::uint64_t number_;
};

// What can be shown before any footprint is triangulated: the ground as the
// exports write it, and each building's box; a block without terrain has its
// ortho image read for the level ground it is shown on. Nothing when the
// sheet cannot be read or the request was overtaken.
std::shared_ptr<const PreviewScene> BuildSketch(const std::filesystem::path& sheet,
                                                const SubSheetRecord& record,
                                                const BuildRequest& request);

// The whole block as the exports write it, the sketch's ground with the
// buildings built now; what the toggles leave out is only not drawn. Nothing
// when the sheet cannot be read or the request was overtaken.
std::shared_ptr<const PreviewScene> CompleteSketch(
    const std::filesystem::path& sheet, const SubSheetRecord& record,
    const std::shared_ptr<const PreviewScene>& sketch, const BuildRequest& request);

}  // namespace vesk::gui
