#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace vesk::cli {

// Help as the field's tools print it: the usage line first, then what the
// command does, then its options, each with the form of its value only; the
// rules between options are left to the errors that enforce them.
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter();

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override;
    // An option group, shown as a plain group of options under its name.
    std::string make_expanded(const CLI::App* group) const override;
    std::string make_option_opts(const CLI::Option* option) const override;
};

}  // namespace vesk::cli
