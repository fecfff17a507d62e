#include "HelpFormatter.h"

namespace vesk::cli {

HelpFormatter::HelpFormatter() {
    label("Usage", "usage");
    label("SUBCOMMAND", "COMMAND");
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
    if (mode == CLI::AppFormatMode::Sub) {
        return make_expanded(app);
    }
    std::string help = make_usage(app, std::move(name)) + "\n" + app->get_description() + "\n" +
                       make_positionals(app) + make_groups(app, mode) + make_subcommands(app, mode);
    if (!help.ends_with('\n')) {
        help += '\n';
    }
    return help;
}

std::string HelpFormatter::make_expanded(const CLI::App* group) const {
    return make_group(group->get_group(), false,
                      group->get_options([group](const CLI::Option* option) {
                          return option != group->get_help_ptr();
                      }));
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
    const std::string& text = option->get_option_text();
    return text.empty() ? std::string() : " " + text;
}

}  // namespace vesk::cli
