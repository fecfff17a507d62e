#include "SampleSheet.h"

#include "AtomicFile.h"
#include "SampleLimits.h"
#include "SamplePlan.h"
#include "SheetWriter.h"

namespace vesk::sample {
namespace {

std::optional<std::string> CheckFileSize(const SamplePlan& plan) {
    const std::uint64_t size = plan.FileSize();
    if (size > kMaxSheetFileSize) {
        return "the sheet would be " + std::to_string(size) +
               " bytes, more than a sheet file can address (4 GiB)";
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::byte> MakeSampleSheet(const SampleOptions& options) {
    if (CheckSampleOptions(options)) {
        return {};
    }
    const SamplePlan plan(options);
    if (CheckFileSize(plan)) {
        return {};
    }
    VectorSink sink(static_cast<std::size_t>(plan.FileSize()));
    PutSampleSheet(plan, sink);
    return sink.Take();
}

bool WriteSampleSheet(const SampleOptions& options, const std::filesystem::path& path,
                      std::string& error) {
    if (auto reason = CheckSampleOptions(options)) {
        error = *reason;
        return false;
    }
    const SamplePlan plan(options);
    if (auto reason = CheckFileSize(plan)) {
        error = *reason;
        return false;
    }
    AtomicFile file(path);
    if (!file.Open(error)) {
        return false;
    }
    PutSampleSheet(plan, file);
    return file.Commit(error);
}

}  // namespace vesk::sample
