// Surveying folders of 10,000 and 100,000 sheet files against the least work
// any survey must do: listing the folder, opening each file, reading its first
// 4 KiB and closing it.
//
//   build/release/bench/vesk_survey_benchmark [--folder PATH]
//
// Without --folder the folders (small sample sheets, one per origin on a grid
// of sheets 100 wide) are made in the temporary folder on first use and kept
// for later runs. With it, that folder alone is surveyed as it is.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SampleSheet.h"
#include "sheet/LittleEndian.h"
#include "survey/FolderSurvey.h"
#include "survey/SheetFileSearch.h"
#include "survey/SurveyJsonWriter.h"

namespace {

constexpr int kSheetsPerRow = 100;
// Where the sheet AREA body keeps origin x and origin y: after the 12-byte
// header and the scale and zone.
constexpr std::size_t kOriginXOffset = 12 + 8;
constexpr std::size_t kOriginYOffset = kOriginXOffset + 4;

std::filesystem::path FolderOf(int sheets) {
    return std::filesystem::temp_directory_path() / ("vesk-bench-survey-" + std::to_string(sheets));
}

std::vector<std::byte> SmallSheet() {
    vesk::sample::SampleOptions options;
    options.imageWidth = 20;
    options.imageHeight = 15;
    options.buildingsPerSubSheet = 1;
    options.demColumns = 2;
    options.demRows = 2;
    options.texturePixels = 4;
    return vesk::sample::MakeSampleSheet(options);
}

std::filesystem::path SheetPath(const std::filesystem::path& folder, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "sheet-%05d.tqb", index);
    return folder / name;
}

// One sheet's bytes written again and again with the origin of each place.
bool MakeFolder(const std::filesystem::path& folder, int sheets) {
    std::vector<std::byte> sheet = SmallSheet();
    if (sheet.size() < kOriginYOffset + 4) {
        return false;
    }
    std::filesystem::create_directories(folder);
    for (int i = 0; i < sheets; ++i) {
        const auto column = static_cast<float>(i % kSheetsPerRow);
        const auto row = static_cast<float>(i / kSheetsPerRow);
        vesk::EncodeF32(sheet.data() + kOriginXOffset, -100000.0f + 2000.0f * column);
        vesk::EncodeF32(sheet.data() + kOriginYOffset, -75000.0f + 1500.0f * row);
        std::ofstream out(SheetPath(folder, i), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(sheet.data()),
                  static_cast<std::streamsize>(sheet.size()));
        if (!out) {
            return false;
        }
    }
    return true;
}

bool FolderIsComplete(const std::filesystem::path& folder, int sheets) {
    return vesk::FindSheetFiles(folder).files.size() == static_cast<std::size_t>(sheets);
}

// Reads the first 4 KiB of the file; gives how many bytes came.
std::size_t ReadHead(const char* path, std::array<char, 4096>& buffer) {
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0) {
        return 0;
    }
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    ::close(fd);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

// The floor: list the folder, then open, one read of 4 KiB and close for every
// entry but "." and "..", with the path made of the folder and the name.
std::size_t ListAndReadHeads(const std::filesystem::path& folder, std::array<char, 4096>& buffer) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return 0;
    }
    std::string path = folder.native() + '/';
    const std::size_t nameAt = path.size();
    std::size_t files = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            path.replace(nameAt, std::string::npos, entry->d_name);
            files += ReadHead(path.c_str(), buffer) > 0 ? 1 : 0;
        }
    }
    ::closedir(listing);
    return files;
}

void BM_BareLoop(benchmark::State& state, const std::filesystem::path& folder) {
    std::array<char, 4096> buffer{};
    std::size_t files = 0;
    for (auto _ : state) {
        files = ListAndReadHeads(folder, buffer);
        benchmark::DoNotOptimize(files);
    }
    state.counters["files"] = static_cast<double>(files);
}

// The same reads for a list of paths made beforehand: the floor without the listing.
void BM_BareLoopOverList(benchmark::State& state, const std::filesystem::path& folder) {
    const std::vector<std::filesystem::path> paths = vesk::FindSheetFiles(folder).files;
    std::array<char, 4096> buffer{};
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::filesystem::path& path : paths) {
            bytes += ReadHead(path.c_str(), buffer);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["files"] = static_cast<double>(paths.size());
}

// Listing and sorting the names alone, to show what the survey spends on them.
void BM_FindSheetFiles(benchmark::State& state, const std::filesystem::path& folder) {
    std::size_t found = 0;
    for (auto _ : state) {
        found = vesk::FindSheetFiles(folder).files.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = static_cast<double>(found);
}

// The whole survey: listing, sorting, and reading each file's leading chunks.
void BM_SurveyFolder(benchmark::State& state, const std::filesystem::path& folder) {
    std::size_t entries = 0;
    for (auto _ : state) {
        const vesk::FolderSurvey survey = vesk::SurveyFolder(folder);
        entries = survey.entries.size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
}

// What `vesk-cli survey --json` does: the survey, then its JSON written into a
// file of the temporary folder as into a redirected standard output. The file
// is written over from its start each time, so that the figure holds the
// writing into the page cache and not the file system's truncating it.
void BM_SurveyJson(benchmark::State& state, const std::filesystem::path& folder) {
    const std::filesystem::path output = folder.native() + ".json";
    std::FILE* out = std::fopen(output.c_str(), "wb");
    if (out == nullptr) {
        state.SkipWithError("the JSON file could not be created");
        return;
    }
    long bytes = 0;
    for (auto _ : state) {
        const vesk::FolderSurvey survey = vesk::SurveyFolder(folder);
        std::rewind(out);
        vesk::WriteSurveyJson(out, folder.native(), {}, survey.entries);
        std::fflush(out);
        bytes = std::ftell(out);
    }
    std::fclose(out);
    state.counters["bytes"] = static_cast<double>(bytes);
}

void Register(const std::string& size, const std::filesystem::path& folder) {
    const auto add = [&](const char* name,
                         void (*run)(benchmark::State&, const std::filesystem::path&)) {
        benchmark::RegisterBenchmark((std::string(name) + "/" + size).c_str(), run, folder)
            ->Unit(benchmark::kMillisecond);
    };
    add("BM_BareLoop", BM_BareLoop);
    add("BM_BareLoopOverList", BM_BareLoopOverList);
    add("BM_FindSheetFiles", BM_FindSheetFiles);
    add("BM_SurveyFolder", BM_SurveyFolder);
    add("BM_SurveyJson", BM_SurveyJson);
}

// The folders of 10,000 and 100,000 sheets, made where missing or incomplete.
bool RegisterKeptFolders() {
    for (const int sheets : {10000, 100000}) {
        const std::filesystem::path folder = FolderOf(sheets);
        if (!FolderIsComplete(folder, sheets) && !MakeFolder(folder, sheets)) {
            std::fprintf(stderr, "could not make %s\n", folder.c_str());
            return false;
        }
        Register(std::to_string(sheets), folder);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* given = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--folder") == 0) {
            given = argv[i + 1];
        }
    }
    // A folder named on the command line is surveyed as it is, never written into.
    if (given != nullptr) {
        Register("given", given);
    } else if (!RegisterKeptFolders()) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
