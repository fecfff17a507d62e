#pragma once

namespace vesk::fuzz {

// Faults the fuzzing found that wait for their fix in the code under test.
// While one is listed, a harness that meets it says so once and goes on, so
// that the bounded run keeps looking for new faults; with VESK_FUZZ_STRICT=1
// each is a failure like any other (run.sh replays the reproducers named in
// fuzz/known-open.txt that way, to tell which are fixed). When a fix is in,
// remove its entry here, its uses and its line in fuzz/known-open.txt.
enum class KnownOpen {
    // The default-folder notices quote the HOME_PATH bytes as they are, so a
    // home folder that is not UTF-8 gives a message that is not UTF-8.
    kEnvironmentNoticeQuotesPathBytes,
    // A DEM grid of no points with one side in the billions: the terrain
    // writer loops over that side (rows) or formats every column first.
    kDemGridSideUnbacked,
};

// True when the fault is to be passed over in this run.
bool Tolerated(KnownOpen fault);

}  // namespace vesk::fuzz
