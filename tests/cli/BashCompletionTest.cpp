// The bash completion offers what vesk-cli declares: every command its help
// lists, and for each command every option that command's help lists.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "CliRunner.h"

namespace vesk {
namespace {

using Words = std::set<std::string>;

// What the completion offers for the words typed so far, the last one being completed.
Words Completions(const std::string& typed) {
    const std::string script =
        "source '" VESK_BASH_COMPLETION "'; COMP_WORDS=(vesk-cli " + typed +
        "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vesk_cli; printf '%s\\n' \"${COMPREPLY[@]}\"";
    const std::string command =
        "bash -c '" + std::regex_replace(script, std::regex("'"), "'\\''") + "'";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    Words words;
    char line[256];
    while (pipe && std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        std::string word(line);
        word.erase(word.find_last_not_of('\n') + 1);
        if (!word.empty()) {
            words.insert(word);
        }
    }
    return words;
}

// The names at the start of the help's lines below the heading, up to the next heading.
Words ListedUnder(const std::string& help, const std::string& heading, const std::regex& name) {
    std::istringstream lines(help);
    Words words;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != ' ') {
            inside = line.ends_with(":") && (heading.empty() || line == heading);
            continue;
        }
        std::smatch match;
        if (inside && std::regex_search(line, match, name)) {
            words.insert(match[1]);
        }
    }
    return words;
}

TEST(BashCompletion, OffersEveryCommandAndEachCommandsOptions) {
    const test::CliResult help = test::RunCli({"--help"});
    const Words commands = ListedUnder(help.out, "Commands:", std::regex("^  ([a-z]+) "));
    ASSERT_EQ(commands.size(), 9u) << help.out;
    Words first = commands;
    first.insert({"--help", "--version", "--verbose"});
    EXPECT_EQ(Completions("''"), first);

    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const std::string options = test::RunCli({command, "--help"}).out;
        Words declared = ListedUnder(options, "", std::regex("^  (?:-h,)?(--[a-z-]+)"));
        EXPECT_THAT(declared, ::testing::Contains("--help"));
        EXPECT_EQ(Completions(command + " --"), declared);
    }
    EXPECT_EQ(Completions("export s.tqb --format ''"), (Words{"glb", "gltf", "obj"}));
    EXPECT_EQ(Completions("sample s.tqb --without d"), (Words{"dem"}));
    EXPECT_EQ(Completions("--verbose check --"), Completions("check --"));
    EXPECT_EQ(Completions("--verbose c"), (Words{"check", "convert"}));
}

}  // namespace
}  // namespace vesk
