#pragma once

#include <filesystem>

namespace vesk::bench {

// The large sheet of the loading and drawing benchmarks: a 4000 x 3000 image at
// 24 bits and 25 sub-sheets of 2,000 buildings, a 401 x 301 DEM and a 1024 x
// 1024 texture each. Made on first use, in a child process so that making it
// does not count in this process's peak memory. Gives its path, or an empty
// path when it could not be made.
std::filesystem::path LargeSheet(int argc, char** argv);

// A benchmark program's main: puts the large sheet's path into `sheet`, then
// runs the benchmarks the command line asks for; 1 when the sheet could not
// be made.
int RunOnLargeSheet(int argc, char** argv, std::filesystem::path& sheet);

}  // namespace vesk::bench
