#include "platform/Diagnostic.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

constexpr DiagnosticKind kMoved{42, Severity::kWarning, "%s moved %d m to %s",
                                "「%s」が%dm移動して「%s」へ"};
constexpr DiagnosticKind kLeftOut{7, Severity::kError, "left out", "除外しました"};
constexpr DiagnosticKind kItem{8, Severity::kError, "%d buildings", "建物 %d件"};

TEST(Diagnostic, ValuesFillTheirPlacesInOrderAndMissingOnesStay) {
    const Diagnostic moved = MakeDiagnostic(kMoved, {"a%s", "12", "b"});
    EXPECT_EQ(moved.English(), "a%s moved 12 m to b");
    EXPECT_EQ(moved.Japanese(), "「a%s」が12m移動して「b」へ");
    EXPECT_EQ(FillIn("100% of %s and %d", {"x"}), "100% of x and %d");
    EXPECT_EQ(CodeText(moved), "W0042");
    EXPECT_EQ(DiagnosticLine(moved), "W0042 a%s moved 12 m to b");
}

TEST(Diagnostic, ItemsFollowOnOneLineInEnglishAndOneLineEachInJapanese) {
    Diagnostic diagnostic = MakeDiagnostic(kLeftOut);
    diagnostic.items = {MakeDiagnostic(kItem, {"3"}), MakeDiagnostic(kLeftOut)};
    EXPECT_EQ(diagnostic.English(), "left out: 3 buildings, left out");
    EXPECT_EQ(diagnostic.Japanese(), "除外しました\n建物 3件\n除外しました");
    EXPECT_EQ(DiagnosticLine(diagnostic), "E0007 left out: 3 buildings, left out");
}

}  // namespace
}  // namespace vesk
