#include "platform/LeftoverTemporaries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "ConvertTestSupport.h"
#include "TempDir.h"
#include "platform/AtomicOutputFile.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

// Only the temporaries' own names are removed, only in the folder itself.
TEST(LeftoverTemporaries, OnlyTemporaryFilesOfTheFolderAreRemoved) {
    test::TempDir dir;
    {
        AtomicOutputFile pending(dir / "out.geo");  // a temporary of its own name
        ASSERT_TRUE(pending.IsOpen());
        for (const char* name : {".vesk-a1b2c3d4.tmp", ".vesk-a1b2c3d.tmp", ".vesk-A1B2C3D4.tmp",
                                 "vesk-a1b2c3d4.tmp", ".vesk-a1b2c3d4.tmp.geo", "out.geo"}) {
            std::ofstream(dir / name) << "x";
        }
        std::filesystem::create_directory(dir / "below");
        std::ofstream(dir / "below" / ".vesk-a1b2c3d4.tmp") << "x";
        std::filesystem::create_directory(dir / ".vesk-f0ld3r00.tmp");

        RemoveLeftoverTemporaries(dir.Path());
        EXPECT_THAT(test::FolderEntries(dir.Path()),
                    ElementsAre(".vesk-A1B2C3D4.tmp", ".vesk-a1b2c3d.tmp",
                                ".vesk-a1b2c3d4.tmp.geo", ".vesk-f0ld3r00.tmp", "below",
                                "out.geo", "vesk-a1b2c3d4.tmp"));
        EXPECT_THAT(test::FolderEntries(dir / "below"), ElementsAre(".vesk-a1b2c3d4.tmp"));
    }
}

}  // namespace
}  // namespace vesk
