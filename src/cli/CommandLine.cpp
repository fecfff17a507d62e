// The command line of vesk-cli: every command with its options, checked before
// the command runs. A mistake is told in one line that names it and the help
// that explains it, and ends with the usage status.
#include "CommandLine.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "HelpFormatter.h"
#include "OptionValues.h"
#include "SampleArguments.h"
#include "sheet/SubSheetRecord.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

// The most sheets a batch converts at a time, and the most a check reads at a time.
constexpr long long kMaxBatchJobs = 1024;
constexpr long long kMaxCheckJobs = 256;

constexpr std::pair<const char*, ExportFormat> kExportFormats[] = {
    {"glb", ExportFormat::kGlb}, {"gltf", ExportFormat::kGltf}, {"obj", ExportFormat::kObj}};

// The checks of option values: an empty reason takes the value.

CLI::Validator WholeNumber(long long least, long long most) {
    return {[least, most](std::string& text) -> std::string {
                if (ParseInteger(text, least, most)) {
                    return {};
                }
                return "'" + text + "' is not a whole number from " + std::to_string(least) +
                       " to " + std::to_string(most);
            },
            ""};
}

CLI::Validator NotEmpty() {
    return {[](std::string& text) -> std::string {
                return text.empty() ? "an empty name names nothing" : "";
            },
            ""};
}

CLI::Validator ShardOfMany() {
    return {[](std::string& text) -> std::string {
                if (ParseShard(text)) {
                    return {};
                }
                return "'" + text + "' is not I/N with I from 0 to N-1";
            },
            ""};
}

CLI::Validator ExportFormatName() {
    return {[](std::string& text) -> std::string {
                for (const auto& [name, format] : kExportFormats) {
                    if (text == name) {
                        return {};
                    }
                }
                return "'" + text + "' is not glb, gltf or obj";
            },
            ""};
}

CLI::Validator HeightsName() {
    return {[](std::string& text) -> std::string {
                return text == "ellipsoidal" || text == "sea-level"
                           ? ""
                           : "'" + text + "' is not ellipsoidal or sea-level";
            },
            ""};
}

// Each sample option's own reading of its value, tried on scratch options: the
// check tells why a value is refused, the option's function then takes it.
CLI::Validator SampleValue(const SampleArgument& argument) {
    return {[&argument](std::string& text) -> std::string {
                sample::SampleOptions scratch;
                return argument.apply(text, scratch).value_or("");
            },
            ""};
}

// The ways an option is declared, each the same in every command.

template <class T>
CLI::Option* AddValue(CLI::App& command, const std::string& name, std::optional<T>& slot,
                      const std::string& help) {
    return command.add_option_function<T>(
        name, [&slot](const T& value) { slot = value; }, help);
}

// A flag given twice is more likely a slip than a wish.
CLI::Option* AddFlag(CLI::App& command, const std::string& name, bool& flag,
                     const std::string& help) {
    return command.add_flag(name, flag, help)->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

CLI::Option* AddJsonFlag(CLI::App& command, bool& json) {
    return AddFlag(command, "--json", json, "print one JSON object for other tools");
}

// A file or folder the command cannot go without.
template <class T>
CLI::Option* AddRequired(CLI::App& command, const std::string& name, T& value,
                         const std::string& help) {
    return command.add_option(name, value, help)->required()->check(NotEmpty());
}

constexpr const char* kInputsHelp = "sheet files, and folders of .tqb files";

void AddBlockChoice(CLI::App& command, std::optional<int>& block, bool& all) {
    CLI::Option_group* blocks = command.add_option_group("Blocks, one of");
    AddValue(*blocks, "--block", block, "block N, 1 to 25 as the map numbers them")
        ->option_text("N")
        ->check(WholeNumber(1, kSubSheetCount));
    AddFlag(*blocks, "--all", all, "every block the load accepted");
    blocks->require_option(1);
}

void AddJobs(CLI::App& command, std::optional<unsigned>& jobs, long long most) {
    AddValue(command, "--jobs", jobs, "sheets at a time (default: one per core)")
        ->option_text("N")
        ->check(WholeNumber(1, most));
}

template <class Path>
void AddBatchOutput(CLI::App& command, std::optional<Path>& report, bool& quiet) {
    AddValue(command, "--report", report, "write the outcome as JSON to FILE")
        ->option_text("FILE")
        ->check(NotEmpty());
    AddFlag(command, "--quiet", quiet, "show no progress on standard error");
}

// What a killed run completed is kept: `kept` says what, in the command's words.
void AddResume(CLI::App& command, bool& resume, const std::string& kept) {
    AddFlag(command, "--resume", resume, "keep " + kept + " (a killed run's), do the rest");
}

void AddLeftOutParts(CLI::App& command, bool* noBuildings, bool& noTerrain, bool& noTexture) {
    if (noBuildings != nullptr) {
        AddFlag(command, "--no-buildings", *noBuildings, "leave out the buildings");
    }
    AddFlag(command, "--no-terrain", noTerrain, "leave out the terrain (and so its texture)");
    AddFlag(command, "--no-texture", noTexture, "leave out the terrain's texture");
}

// The commands.

CLI::App* AddInfo(CLI::App& app, InfoRequest& request) {
    CLI::App* command =
        app.add_subcommand("info", "Open a sheet as the program does and tell what was found");
    AddRequired(*command, "SHEET", request.sheet, "the sheet file");
    AddJsonFlag(*command, request.json);
    return command;
}

CLI::App* AddConvert(CLI::App& app, ConvertRequest& request) {
    CLI::App* command =
        app.add_subcommand("convert", "Convert blocks of sheets into the simulator's files");
    AddRequired(*command, "INPUT", request.inputs, kInputsHelp);
    AddBlockChoice(*command, request.block, request.all);
    AddValue(*command, "--out", request.out,
             "write into DIR (default: the folders of the KSIM_ENV environment file)")
        ->option_text("DIR")
        ->check(NotEmpty());
    AddJobs(*command, request.jobs, kMaxBatchJobs);
    AddBatchOutput(*command, request.report, request.quiet);
    AddResume(*command, request.resume, "blocks whose files are newer than their sheet");
    AddLeftOutParts(*command, &request.noBuildings, request.noTerrain, request.noTexture);
    return command;
}

// The JPEG quality of export and tiles, said in each command's own words.
CLI::Option* AddTextureQuality(CLI::App& command, std::optional<int>& quality,
                               const std::string& what) {
    return AddValue(command, "--texture-quality", quality,
                    what + ", 1 to 100 (default: " + std::to_string(kDefaultJpegQuality) + ")")
        ->option_text("Q")
        ->check(WholeNumber(1, 100));
}

// OBJ has no compression: asking for it is a mistake, told before anything is written.
void AddCompression(CLI::App& command, ExportRequest& request) {
    CLI::Option* compress = AddFlag(command, "--compress", request.compress,
                                    "glTF with Draco-compressed meshes and a JPEG texture");
    AddTextureQuality(command, request.textureQuality, "the JPEG's quality with --compress")
        ->needs(compress);
    command.parse_complete_callback([&request] {
        if (request.compress && request.format == ExportFormat::kObj) {
            throw CLI::ValidationError("--compress",
                                       "OBJ has no compression; use --format glb or gltf");
        }
    });
}

CLI::App* AddExport(CLI::App& app, ExportRequest& request) {
    CLI::App* command = app.add_subcommand("export", "Write blocks of a sheet as 3D models");
    AddRequired(*command, "SHEET", request.sheet, "the sheet file");
    AddBlockChoice(*command, request.block, request.all);
    command
        ->add_option_function<std::string>(
            "--format",
            [&request](const std::string& name) {
                for (const auto& [known, format] : kExportFormats) {
                    if (name == known) {
                        request.format = format;
                    }
                }
            },
            "glb (default, texture embedded), gltf or obj")
        ->option_text("FORMAT")
        ->check(ExportFormatName());
    AddValue(*command, "--out", request.out, "write into DIR, made if it is missing (default: .)")
        ->option_text("DIR")
        ->check(NotEmpty());
    AddLeftOutParts(*command, &request.noBuildings, request.noTerrain, request.noTexture);
    AddCompression(*command, request);
    return command;
}

CLI::App* AddSample(CLI::App& app, SampleRequest& request) {
    CLI::App* command =
        app.add_subcommand("sample", "Write a realistic sheet file to try things on");
    AddRequired(*command, "OUT.tqb", request.out, "the sheet file to write");
    for (const SampleArgument& argument : SampleArguments()) {
        // Every value given is taken in order; one that may be given once has one.
        CLI::Option* option = command->add_option_function<std::vector<std::string>>(
            argument.name,
            [&argument, &request](const std::vector<std::string>& texts) {
                for (const std::string& text : texts) {
                    argument.apply(text, request.options);
                }
            },
            argument.help);
        option->option_text(argument.value)
            ->check(SampleValue(argument))
            ->expected(1)
            ->allow_extra_args(false);
        option->multi_option_policy(argument.repeatable ? CLI::MultiOptionPolicy::TakeAll
                                                        : CLI::MultiOptionPolicy::Throw);
    }
    return command;
}

// What the tiles' heights are above, and the geoid that takes them there.
void AddHeights(CLI::App& command, TilesRequest& request) {
    command
        .add_option_function<std::string>(
            "--heights",
            [&request](const std::string& name) { request.seaLevel = name == "sea-level"; },
            "ellipsoidal (default; raised by the geoid, for globes with terrain) or sea-level")
        ->option_text("REFERENCE")
        ->check(HeightsName());
    AddValue(command, "--geoid-grid", request.geoidGrid,
             "the geoid as a grid PROJ reads (default: EGM96 from proj-data)")
        ->option_text("FILE")
        ->check(NotEmpty());
    command.parse_complete_callback([&request] {
        if (request.seaLevel && request.geoidGrid) {
            throw CLI::ValidationError("--geoid-grid", "no geoid is used with --heights sea-level");
        }
    });
}

// Compressed by default; a JPEG quality for PNG textures is a mistake.
void AddTilesCompression(CLI::App& command, TilesRequest& request) {
    CLI::Option* plain =
        AddFlag(command, "--no-compress", request.noCompress,
                "plain glTF with PNG textures, for readers without mesh compression");
    AddTextureQuality(command, request.textureQuality, "JPEG quality of the textures")
        ->excludes(plain);
}

CLI::App* AddTiles(CLI::App& app, TilesRequest& request) {
    CLI::App* command =
        app.add_subcommand("tiles", "Write sheets as a 3D Tiles tileset, or merge shards of one");
    CLI::Option* inputs =
        command->add_option("INPUT", request.inputs, kInputsHelp)->check(NotEmpty());
    AddJobs(*command, request.jobs, kMaxBatchJobs);
    command
        ->add_option_function<std::string>(
            "--shard", [&request](const std::string& text) { request.shard = ParseShard(text); },
            "write only shard I (from 0) of N, and leave the root to --merge")
        ->option_text("I/N")
        ->check(ShardOfMany());
    AddBatchOutput(*command, request.report, request.quiet);
    AddResume(*command, request.resume, "sheets whose tileset is newer than the sheet");
    AddLeftOutParts(*command, nullptr, request.noTerrain, request.noTexture);
    AddHeights(*command, request);
    AddTilesCompression(*command, request);

    CLI::Option_group* output = command->add_option_group("Output, one of");
    CLI::Option* out = AddValue(*output, "--out", request.out, "write the tileset into DIR")
                           ->option_text("DIR")
                           ->check(NotEmpty());
    CLI::Option* merge =
        AddValue(*output, "--merge", request.merge, "write DIR/tileset.json over the shards in DIR")
            ->option_text("DIR")
            ->check(NotEmpty());
    output->require_option(1);
    out->needs(inputs);
    inputs->needs(out);
    // A merge only reads what the shards wrote: it takes nothing else.
    merge->excludes(out);
    for (CLI::Option* option : command->get_options()) {
        if (option != command->get_help_ptr()) {
            merge->excludes(option);
        }
    }
    return command;
}

CLI::App* AddView(CLI::App& app, ViewRequest& request) {
    CLI::App* command =
        app.add_subcommand("view", "Show a tileset of vesk-cli tiles in the web browser");
    AddRequired(*command, "DIR", request.folder, "the folder of the tileset");
    AddValue(*command, "--port", request.port, "serve on port N (default: a free one)")
        ->option_text("N")
        ->check(WholeNumber(0, 65535));
    AddValue(*command, "--host", request.host,
             "serve on address ADDR (default 127.0.0.1; 0.0.0.0 shares it on the network)")
        ->option_text("ADDR")
        ->check(NotEmpty());
    AddFlag(*command, "--no-open", request.noOpen, "print the address only; open no browser");
    return command;
}

CLI::App* AddZones(CLI::App& app, ZonesRequest& request) {
    CLI::App* command =
        app.add_subcommand("zones", "Print the built-in zone maps and prefecture outlines");
    AddJsonFlag(*command, request.json);
    return command;
}

CLI::App* AddCheck(CLI::App& app, CheckRequest& request) {
    CLI::App* command =
        app.add_subcommand("check", "Tell what in the blocks of sheets makes wrong output");
    AddRequired(*command, "INPUT", request.inputs, kInputsHelp);
    AddJsonFlag(*command, request.json);
    AddJobs(*command, request.jobs, kMaxCheckJobs);
    return command;
}

CLI::App* AddSurvey(CLI::App& app, SurveyRequest& request) {
    CLI::App* command =
        app.add_subcommand("survey", "List the sheets of a folder as the program's survey does");
    AddRequired(*command, "FOLDER", request.folder, "the folder to survey");
    CLI::Option* json = command->add_flag_callback(
        "--json", [&request] { request.format = SurveyFormat::Json; },
        "print one JSON object for other tools");
    CLI::Option* geojson = command->add_flag_callback(
        "--geojson", [&request] { request.format = SurveyFormat::GeoJson; },
        "print the sheets' outlines as GeoJSON");
    json->excludes(geojson);
    json->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    geojson->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    return command;
}

// Every request, each filled by its command's options.
struct Requests {
    InfoRequest info;
    ConvertRequest convert;
    ExportRequest exportBlocks;
    SampleRequest sample;
    TilesRequest tiles;
    ViewRequest view;
    ZonesRequest zones;
    CheckRequest check;
    SurveyRequest survey;
};

// Lists the command in the help and records what it runs once the command
// line is taken whole.
void RunsAs(CLI::App* command, std::function<int()>& run, std::function<int()> action) {
    command->group("Commands");
    command->callback([&run, action = std::move(action)] { run = action; });
}

void AddCommands(CLI::App& app, Requests& r, std::function<int()>& run) {
    RunsAs(AddInfo(app, r.info), run, [&r] { return RunInfo(r.info); });
    RunsAs(AddConvert(app, r.convert), run, [&r] { return RunConvert(r.convert); });
    RunsAs(AddExport(app, r.exportBlocks), run, [&r] { return RunExport(r.exportBlocks); });
    RunsAs(AddSample(app, r.sample), run, [&r] { return RunSample(r.sample); });
    RunsAs(AddTiles(app, r.tiles), run, [&r] { return RunTiles(r.tiles); });
    RunsAs(AddView(app, r.view), run, [&r] { return RunView(r.view); });
    RunsAs(AddZones(app, r.zones), run, [&r] { return RunZones(r.zones); });
    RunsAs(AddCheck(app, r.check), run, [&r] { return RunCheck(r.check); });
    RunsAs(AddSurvey(app, r.survey), run, [&r] { return RunSurvey(r.survey); });
}

// CLI11 tells a missing value or a repeated option in its own words, after the
// option's name and a colon; the option's count tells which it was.
std::string MismatchOf(const CLI::App& app, const std::string& text) {
    const std::string name = text.substr(0, text.find(':'));
    const auto chosen = app.get_subcommands();
    const CLI::App& command = chosen.empty() ? app : *chosen.front();
    const CLI::Option* option = command.get_option_no_throw(name);
    if (option != nullptr && option->count() > 1) {
        return name + " is given more than once";
    }
    return name + " needs a value";
}

// The mistake in words. What no option or command took is told first: a
// mistyped option's value may have been taken for an input, and a requirement
// then seems unmet.
std::string Mistake(const CLI::App& app, const CLI::ParseError& error) {
    const std::vector<std::string> leftOver = app.remaining(true);
    if (!leftOver.empty()) {
        const std::string& first = leftOver.front();
        if (first.starts_with('-')) {
            return "unknown option " + first;
        }
        return app.get_subcommands().empty() ? "unknown command " + first
                                             : "unexpected argument " + first;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return MismatchOf(app, error.what());
    }
    return error.what();
}

std::string HelpOf(const CLI::App& app) {
    const auto chosen = app.get_subcommands();
    return chosen.empty() ? "vesk-cli --help"
                          : "vesk-cli " + chosen.front()->get_name() + " --help";
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv) {
    CLI::App app("The sheet loading and conversion of Vesk without a display.", "vesk-cli");
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_help_flag("-h,--help", "print this help and exit");
    app.set_version_flag("--version", "vesk-cli " VESK_VERSION, "print the version and exit");
    app.require_subcommand(1);
    bool verbose = false;
    app.add_flag("--verbose", verbose,
                 "print every diagnostic with its code on standard error, for a bug report "
                 "(so does VESK_DEBUG=1)");
    Requests requests;
    std::function<int()> run;
    AddCommands(app, requests, run);
    if (argc <= 1) {
        std::fputs(app.help().c_str(), stderr);
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return kExitOk;
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "vesk-cli: %s; see '%s'\n", SanitizeUtf8(Mistake(app, error)).c_str(),
                     HelpOf(app).c_str());
        return kExitUsage;
    }
    LogDiagnostics(verbose || std::getenv("VESK_DEBUG") != nullptr);
    return run();
}

}  // namespace vesk::cli
