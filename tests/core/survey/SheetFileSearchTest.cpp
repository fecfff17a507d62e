// Which names of a folder the survey takes, in which order, and what it makes of them.
#include "survey/SheetFileSearch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "SheetBuilder.h"
#include "TempDir.h"
#include "survey/FolderSurvey.h"
#include "survey/SheetInputs.h"

namespace vesk {
namespace {

using test::StandardSheet;

// Shift-JIS bytes of 東京, as an old archive would carry them: not valid UTF-8.
const std::string kShiftJisName = "\x93\x8c\x8b\x9e.tqb";

std::vector<std::string> Names(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::string> names;
    for (const auto& path : paths) {
        names.push_back(path.filename().string());
    }
    return names;
}

TEST(SheetFileName, EndsInTqbInAnyLetterCase) {
    for (const char* name : {"a.tqb", "A.TQB", "b.Tqb", ".tqb", "x.y.tQb"}) {
        EXPECT_TRUE(IsSheetFileName(name)) << name;
    }
    for (const char* name : {"a.tqbx", "a.tq", "tqb", "a_tqb", "a.tqb.bak", "a.tqb "}) {
        EXPECT_FALSE(IsSheetFileName(name)) << name;
    }
}

TEST(SheetFileSearch, ListsMatchingFilesInTheByteOrderOfTheirNamesWithoutEnteringFolders) {
    test::TempDir dir;
    for (const std::string name :
         {"b.tqb", "A.TQB", "c.Tqb", "d.tqbx", "e.txt", "B.tqb", "\xe6\xa2\x85.tqb"}) {
        ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / name));
    }
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir.Path() / kShiftJisName));
    std::filesystem::create_directory(dir / "sub.tqb");
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "sub.tqb" / "inner.tqb"));
    std::filesystem::create_symlink(dir / "b.tqb", dir / "link.tqb");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling.tqb");

    const SheetFileList found = FindSheetFiles(dir.Path());
    EXPECT_EQ(found.matches, 9u);  // with the folder and the dangling link
    EXPECT_EQ(Names(found.files),
              (std::vector<std::string>{"A.TQB", "B.tqb", "b.tqb", "c.Tqb", "link.tqb",
                                        kShiftJisName, "\xe6\xa2\x85.tqb"}));
    EXPECT_EQ(found.files.front(), dir / "A.TQB");
}

TEST(SheetFileSearch, FolderWithTrailingSeparatorGetsNoSecondOne) {
    test::TempDir dir;
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "a.tqb"));
    const auto files = FindSheetFiles(dir.Path().string() + "/").files;
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].string(), (dir / "a.tqb").string());
}

// The listing gives a link's own type; what it leads to is looked up.
TEST(SheetFileSearch, LinksCountAsWhatTheyLeadToThroughAnyNumberOfLinks) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "sheet"));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir / "folder", dir / "to-folder.tqb");
    std::filesystem::create_symlink(dir / "pipe", dir / "to-pipe.tqb");
    std::filesystem::create_symlink(dir / "sheet", dir / "to-sheet.tqb");
    std::filesystem::create_symlink("to-sheet.tqb", dir / "to-link.tqb");
    const SheetFileList found = FindSheetFiles(dir.Path());
    EXPECT_EQ(found.matches, 4u);
    EXPECT_EQ(Names(found.files), (std::vector<std::string>{"to-link.tqb", "to-sheet.tqb"}));
}

TEST(SheetFileSearch, PathsAreTheFolderAndTheNameJoinedAsTheSlashOperatorJoinsThem) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "sub");
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "a.tqb"));
    for (const std::filesystem::path& folder : {dir / ".", dir / "sub" / "..", dir / "sub/../"}) {
        const auto files = FindSheetFiles(folder).files;
        ASSERT_EQ(files.size(), 1u) << folder;
        EXPECT_EQ(files[0].native(), (folder / "a.tqb").native());
        EXPECT_EQ(files[0].filename(), "a.tqb");
    }
}

TEST(SheetFileSearch, MissingFolderOrAFileInsteadOfAFolderFindsNothing) {
    test::TempDir dir;
    ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "a.tqb"));
    EXPECT_EQ(FindSheetFiles(dir / "missing").matches, 0u);
    EXPECT_EQ(FindSheetFiles(dir / "a.tqb").matches, 0u);
    EXPECT_EQ(FindSheetFiles("").matches, 0u);
}

TEST(SheetInputs, FoldersGiveTheirSheetsInByteOrderAndOtherInputsStandForThemselves) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "f");
    for (const char* name : {"b.TQB", "a.tqb", "notes.txt"}) {
        ASSERT_TRUE(StandardSheet(0, 0).WriteTo(dir / "f" / name));
    }
    const std::vector<std::filesystem::path> inputs = {dir / "missing.tqb", dir / "f",
                                                       dir / "f" / "a.tqb"};
    EXPECT_EQ(Names(ExpandSheetInputs(inputs)),
              (std::vector<std::string>{"missing.tqb", "a.tqb", "b.TQB", "a.tqb"}));
}

TEST(FolderSurvey, ReadsUpperCaseAndNonUtf8NamesLikeAnyOther) {
    test::TempDir dir;
    ASSERT_TRUE(StandardSheet(0, 0, 9).WriteTo(dir / "UPPER.TQB"));
    ASSERT_TRUE(StandardSheet(2000, 0, 6).WriteTo(dir.Path() / kShiftJisName));
    const FolderSurvey survey = SurveyFolder(dir.Path());
    EXPECT_TRUE(survey.matched);
    ASSERT_EQ(survey.entries.size(), 2u);
    EXPECT_EQ(survey.entries[0].path, dir / "UPPER.TQB");
    EXPECT_EQ(survey.entries[0].area.zone, 9);
    EXPECT_EQ(survey.entries[1].path, dir.Path() / kShiftJisName);
    EXPECT_EQ(survey.entries[1].area.zone, 6);
}

TEST(FolderSurvey, MatchingFolderOrPipeCountsAsAMatchButIsNotOpened) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "only.tqb");
    // Opening a pipe would wait for a writer that never comes.
    ASSERT_EQ(::mkfifo((dir / "pipe.tqb").c_str(), 0600), 0);
    const FolderSurvey survey = SurveyFolder(dir.Path());
    EXPECT_TRUE(survey.matched);
    EXPECT_TRUE(survey.entries.empty());

    EXPECT_FALSE(SurveyFolder(dir / "only.tqb").matched);
}

}  // namespace
}  // namespace vesk
