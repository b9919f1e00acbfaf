#include "app/calc_help.h"

#include <algorithm>
#include <vector>

namespace kestrix {
namespace {

// Blocks of options or rules that several commands share, in the order of the
// full help. A command's own help shows the ones it names.
struct SharedSection {
    std::string_view key;
    std::string_view text; // heading line and body, ending with a line end
};

const std::vector<SharedSection>& SharedSections() {
    static const std::vector<SharedSection> sections = {
        {"duct-criteria", R"(Duct criteria, texts as a duct style holds them:
  --roughness R        inner-surface roughness of the material, mm
  --velocity V         largest air velocity, m/s
  --loss L             largest friction loss per metre (mmAq/m or Pa/m)
  --units U            "0" for mmAq/m and kgf/m2 (default), any other text for
                       Pa/m and Pa
  --aspect A           largest aspect ratio of a rectangle (default 4.0)
)"},
        {"terminal-criteria", R"(Air-terminal criteria:
  --free-area P        free-area ratio, percent
  --face-velocity V    largest face velocity, m/s
)"},
        {"size", R"(A size of your own, in place of the list of candidates:
  --width W            width, or the diameter of a round size, mm
  --height H           height of a rectangle, mm (needs --width)
)"},
        {"style", R"(Or a style of the configuration files, in place of the criteria options:
  --style N            the style at position N (from 0) of the style list, as
                       'kestrix-calc styles' shows it; a duct style's material
                       row gives the roughness
  With neither criteria options nor --style, style 0 (the first of the list)
  is taken. The table output of duct and terminal names the style used in its
  first line (Style:).
)"},
        {"config-dir", R"(Configuration files:
  --config-dir DIR     folder of the configuration files (default: the folder
                       of this program). --lang ja reads ksx_mate.cfg,
                       KSX_Set1.cfg and KSX_Set2.cfg, otherwise ksx_mate_e.cfg,
                       KSX_Set1_e.cfg and KSX_Set2_e.cfg; all three must exist.
)"},
        {"schedules", R"(Schedules (schedule duct|terminal ... FILE):
  Criteria             the duct criteria for schedule duct, the air-terminal
                       criteria for schedule terminal, or --style N
  --format csv         CSV (the default): a heading line, then one line per
                       row, LF line ends, UTF-8 without a byte-order mark;
                       fields with a comma, a quote, a line break or an outer
                       blank are quoted, quotes doubled
  --format md          a Markdown table
  --format json        one JSON object per row and line (--json says the same)
  Input: UTF-8 (a byte-order mark is skipped), LF, CR LF or CR line ends.
  Each line is one row of two fields, tag and flow; a field may be quoted
  ("a,b", "say ""hi""") but cannot span lines, and blanks around fields are
  dropped. An input that cannot be read to its end ends the run there with
  exit status 1; the rows before the error are out.
  Blank lines and lines whose first non-blank character is # are skipped. A
  first row that reads tag,flow (any case) is a heading and is skipped. The
  flows are evaluated in row order on one evaluator, so variables carry over
  (a = 850 on one row, a*2 on a later one), also from rows that are bad for
  another reason.
  Headings name the unit of each column, in the language of --lang: duct
  Tag, Flow Rate[CMH], then for the round and the rectangular candidate Size,
  Velocity, DeltaPr. (mmAq/m or Pa/m), Aspect Ratio (rectangular only),
  Dynamic Pr. (kgf/m2 or Pa), Standard Flow (the reference flow), and
  Equivalent Dia. (rectangular only), then Error; air terminal Tag, Flow
  Rate, Effective Area, Necessary Area, Free Area[%], then Size, Surface
  Velocity and Standard Flow of the round and the rectangular candidate,
  then Error.
  A bad row is still written, with its values empty (null in JSON) and the
  reason in the error column, and reported on stderr as "line N: reason"
  (N counts every line of the file); the rows after it are still sized, and
  the exit status is 1. Bad rows: not two fields, an unclosed quote, a line
  over 65536 bytes, an empty tag or flow, an abandoned evaluation, a flow
  that is not a positive number (0, -5, NAN), a sizing message (Flow Rate is
  too big., the limits or roughness messages), no candidate at that flow.
  A line that has not ended 64 MiB after its limit ends the run there (an
  endless input such as /dev/zero). The reasons are in the language of
  --lang; bytes of the input that are no UTF-8 text are written as U+FFFD.
  The flow column shows the evaluated flow, or the text as given when it was
  not evaluated.
)"},
        {"limits", R"(Limits:
  - Flows above 10000000 CMH are refused ("Flow Rate is too big."). As in
    the window, an air-terminal FLOW that the evaluator writes with an
    exponent (1E15), and an infinite FLOW (INF), list nothing without a
    message; a schedule refuses them all as too big.
  - A zero flow lists nothing; an empty FLOW does nothing and prints the
    empty result.
  - A list holds at most 1000 candidates.
  - The duct velocity march stops at 340 m/s (the speed of sound) and
    reports the limits message ("Please correct 'Unit frictional loss' or
    'maximum air velocity'"), as does a friction-loss or velocity limit of 0.
  - A roughness of zero or below, or a style whose material names no loaded
    material, gives the roughness message.
  - A zero or negative free-area ratio or face velocity, or a necessary area
    above 1 km2, gives the air-terminal limits message.
  - Texts over 255 bytes are refused by the evaluator, counted as the window
    counts them, in code page 932: two bytes for most Japanese characters,
    one ("?") for a character the code page cannot hold.
)"},
        {"system-settings", R"(Duct systems (system FILE):
  FILE (- reads standard input) is a JSON system file, or with --input csv
  or a name ending in .csv a CSV file of sections, one a row:
      id,upstream,length,flow,size,shape,fittings,fixed_loss
  (an empty upstream is the section at the fan; fittings are loss
  coefficients separated by ";"). --format json (or --json) writes unrounded
  numbers; csv (the default) and md round them for reading.
  The settings of a CSV system, as a JSON file writes them:
  --input json|csv       the kind of FILE
  --name TEXT            the system's name
  --units Pa|mmAq        units of the limits, fixed losses and pressures (Pa)
  --friction-law power|colebrook    (power, the duct page's law)
  --style N              a duct style (list position from 0), or instead:
  --material ROW|NAME or --roughness MM, with --velocity V --loss L [--aspect A]
  --shape round|rectangular         shape of the sections without one (round)
  --max-height MM        largest height of a sized rectangular section
  --temperature C, --elevation M or --pressure KPA   the air (default: the
                         duct page's 1.2 kg/m3)
  Without a style or limits the first duct style is taken. A fault of the
  file (a cycle, an unknown id, flows that disagree, ...) is reported with
  the section, or the line and column, and the exit status is 1.
)"},
    };
    return sections;
}

// One command's part of the help. A new command adds one entry here, naming
// the shared sections it takes; the full help and COMMAND --help are put
// together from these.
struct CommandHelp {
    std::string_view name;
    std::string_view usage;   // what follows "kestrix-calc " in the usage
    std::string_view summary; // its description, lines without indentation
    std::vector<std::string_view> sections;
    std::string_view json;     // its entry under "JSON output", laid out
    std::string_view examples; // its entries under "Examples", laid out
};

const std::vector<CommandHelp>& CommandHelps() {
    static const std::vector<CommandHelp> commands = {
        {"eval",
         "eval [--json] [--lang en|ja] TEXT...",
         R"(Evaluates each TEXT in turn on one evaluator, so variables carry
over (a = 850, then a*2), and prints each result on its own line.
Messages of the mathematical functions ("sqrt: DOMAIN error") go
to stderr. An abandoned TEXT prints its error on stderr, the next
TEXT is still evaluated, and the exit status is 1.
)",
         {"limits"},
         R"(  eval      {"input", "result" (null when abandoned), "messages": [...],
             "error" (the floating-point error text, or null)}, for example
             {"input":"a*2","result":"1700","messages":[],"error":null}
)",
         R"(  Two texts on one evaluator, the second using the variable of the first:
    $ kestrix-calc eval "a = 850" "a*2"
)"},
        {"duct",
         "duct [OPTION]... [--width W [--height H]] FLOW",
         R"(Lists the duct candidates: round sizes, the square, then
rectangles growing wider and lower, each with velocity, friction
loss, aspect ratio and dynamic pressure. With --width W it computes
that size instead: W x H with --height H, round of diameter W
without it (reference flow, equivalent diameter, ...).
)",
         {"duct-criteria", "size", "style", "config-dir", "limits"},
         R"(  duct      {"flow", "candidates": [{"size", "velocity", "loss", "aspect",
             "dynamic_pressure"}, ...], "message" (or null)}, for example
             {"flow":"1000","candidates":[{"size":"283Φ","velocity":"4.42",
             "loss":"0.099","aspect":"1.00","dynamic_pressure":"1.19"}, ...],
             "message":null}
            with --width: {"flow", "size", "velocity", "loss",
             "dynamic_pressure", "reference_flow", "equivalent_diameter",
             "velocity_at_equivalent_diameter", "aspect"}, "" for a value the
             size does not give; for example
             {"flow":"1000","size":"300x250","velocity":"3.70","loss":"0.075",
             "dynamic_pressure":"0.84","reference_flow":"1165",
             "equivalent_diameter":"299","velocity_at_equivalent_diameter":
             "3.95","aspect":"1.20"}
)",
         R"(  Duct sizes for 1000 CMH with the first duct style of the configuration files:
    $ kestrix-calc duct 1000
  The same with criteria of your own:
    $ kestrix-calc duct --roughness 0.18 --velocity 8 --loss 0.1 1000
  A 300x250 duct checked against the second duct style:
    $ kestrix-calc duct --style 1 --width 300 --height 250 1000
)"},
        {"terminal",
         "terminal [OPTION]... [--width W [--height H]] FLOW",
         R"(Lists the air-terminal candidates with the effective and the
necessary area; with --width W [--height H] it computes the face
velocity and reference flow of that size.
)",
         {"terminal-criteria", "size", "style", "config-dir", "limits"},
         R"(  terminal  {"flow", "effective_area" m2, "necessary_area" m2, "free_area"
             %, "candidates": [{"size", "face_velocity"}, ...], "message"},
             for example {"flow":"1000","effective_area":"0.093",
             "necessary_area":"0.132","free_area":"70","candidates":[{"size":
             "450Φ","face_velocity":"2.50"}, ...],"message":null}
            with --width: {"flow", "free_area", "face_velocity",
             "reference_flow"}, for example {"flow":"1000","free_area":"70",
             "face_velocity":"2.83","reference_flow":"1058"}
)",
         R"(  Air terminals for 2 x 450 CMH with the second air-terminal style, as JSON:
    $ kestrix-calc terminal --style 1 --json "2*450"
)"},
        {"styles",
         "styles [--json] [--lang en|ja] [--config-dir DIR]",
         R"(Lists the materials, duct styles and air-terminal styles of the
configuration files, with every message that loading them gave.
)",
         {"config-dir"},
         R"(  styles    {"materials": [[name, roughness], ...], "duct_styles": [[name,
             material, velocity, frictionLoss, units, aspectRatio], ...],
             "terminal_styles": [[name, freeArea, faceVelocity], ...],
             "messages": [...], "duct_list": [...], "terminal_list": [...]},
             for example {"materials":[["Galvanized steel","0.18"], ...],
             "duct_styles":[["Office","1","8.0","0.10","0","4.0"], ...], ...}
)",
         R"(  The Japanese styles, with their positions for --style:
    $ kestrix-calc styles --lang ja
)"},
        {"schedule",
         "schedule duct|terminal [--format csv|md|json] [OPTION]... FILE",
         R"(Sizes every row of FILE, a CSV file of tag,flow rows (- reads
standard input), and writes one row per input row, as soon as it
is read: the tag, the evaluated flow, the first round candidate
and the first rectangular one (for ducts the square) with their
properties and reference flows. See "Schedules" below.
)",
         {"duct-criteria", "terminal-criteria", "style", "config-dir", "schedules", "limits"},
         R"(  schedule duct
            {"line", "tag", "flow", "round": {"size", "velocity", "loss",
             "dynamic_pressure", "reference_flow"}, "rectangular": {"size",
             "velocity", "loss", "aspect", "dynamic_pressure", "reference_flow",
             "equivalent_diameter"}, "error" (the reason, or null)}
  schedule terminal
            {"line", "tag", "flow", "effective_area", "necessary_area",
             "free_area", "round": {"size", "face_velocity", "reference_flow"},
             "rectangular": {"size", "face_velocity", "reference_flow"},
             "error"}
            A bad row has null for every value after "flow".
)",
         R"(  A duct schedule of a CSV file as a Markdown table:
    $ kestrix-calc schedule duct --format md rooms.csv
  An air-terminal schedule of rows from standard input:
    $ printf 'tag,flow\nFCU-1,850\n' | kestrix-calc schedule terminal -
)"},
        {"system",
         "system [--format csv|md|json] [--input json|csv] [SETTINGS] FILE",
         R"(Sizes every section of a duct system (a tree of sections from the
fan to the terminals) with the duct page's engine, and works out
each section's pressure loss, the pressure of every path from the
fan to a terminal, the critical path, the fan pressure and each
terminal's surplus. See "Duct systems" below.
)",
         {"system-settings", "config-dir"},
         R"(  system    {"air": {"density", "viscosity"}, "sections": [{"id",
             "upstream", "flow", "size", "over_limits", "velocity",
             "velocity_pressure", "loss_per_m", "friction_loss",
             "fittings_loss", "fixed_loss", "total_loss"}, ...], "paths":
             [{"terminal", "sections", "pressure", "surplus"}, ...],
             "critical_path", "fan_pressure"}
)",
         R"(  A duct system's report as a Markdown table:
    $ kestrix-calc system --format md office.json
  Sections of a spreadsheet, with the system's settings as options:
    $ kestrix-calc system --roughness 0.18 --velocity 8 --loss 1 --units Pa sections.csv
)"},
    };
    return commands;
}

constexpr std::string_view kIntroduction =
    R"(Sizes ducts and air terminals (diffusers, grilles) for an air flow in CMH (m3/h)
with the engine of the Kestrix window. FLOW is evaluated first, as the flow
fields do, so it may be an expression (1200*3, sqrt(2)*450).
)";

constexpr std::string_view kCommonOptions = R"(Common options:
  --json               one JSON object per line (UTF-8) instead of a table
  --lang en|ja         language of headings and messages, and the diameter
                       mark (en: 283Φ, ja: 283φ); default: Japanese when the
                       system's language is Japanese, English otherwise
  --                   ends the options: FLOW or TEXT may then begin with "-"
                       (kestrix-calc eval -- -2^2)
  -h, --help           shows the help: all of it before a command, that
                       command's part after one
  -V, --version        shows the program's name and version
Options may come in any order; --name=value works too.
)";

constexpr std::string_view kJsonHeading =
    "JSON output (keys in this order; an empty text or list is still written):\n";

// The last paragraph before the examples: the manual page makes a section of it.
constexpr std::string_view kExitStatus = R"(Exit status:
  0  done; a sizing message such as "Flow Rate is too big." is a result
  1  a problem with the input or a file: an evaluation was abandoned
     (floating-point error, text too long), a required configuration file
     is missing, a schedule's FILE cannot be read, a schedule had a bad row,
     or the output could not be written (a full disk, say)
  2  a usage error: no or an unknown command, an unknown option, a missing
     or bad value, an operand too many
)";

// Lines of text, the first after firstPrefix, the others after restPrefix.
std::string Indented(std::string_view text, std::string_view firstPrefix,
                     std::string_view restPrefix) {
    std::string result;
    std::string_view prefix = firstPrefix;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        result.append(prefix).append(line).append("\n");
        prefix = restPrefix;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return result;
}

std::string CommandListEntry(const CommandHelp& command) {
    std::string name = "  " + std::string(command.name);
    name.resize(std::max<size_t>(name.size() + 2, 12), ' ');
    return Indented(command.summary, name, std::string(12, ' '));
}

std::string Tail(const std::string& json, const std::string& examples) {
    return "\n" + std::string(kCommonOptions) + "\n" + std::string(kJsonHeading) + json + "\n" +
           std::string(kExitStatus) + "\nExamples:\n" + examples;
}

} // namespace

std::string CalcHelpText() {
    std::string usage, commands, json, examples;
    const char* usagePrefix = "Usage: kestrix-calc ";
    for (const CommandHelp& command : CommandHelps()) {
        usage.append(usagePrefix).append(command.usage).append("\n");
        usagePrefix = "  or:  kestrix-calc ";
        commands += CommandListEntry(command);
        json.append(command.json);
        examples.append(command.examples);
    }
    usage += "  or:  kestrix-calc COMMAND --help\n"
             "  or:  kestrix-calc --help | --version\n";
    std::string text = usage + "\n" + std::string(kIntroduction) + "\nCommands:\n" + commands;
    for (const SharedSection& section : SharedSections())
        text.append("\n").append(section.text);
    return text + Tail(json, examples);
}

std::optional<std::string> CalcCommandHelpText(std::string_view name) {
    const auto& commands = CommandHelps();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CommandHelp& c) { return c.name == name; });
    if (command == commands.end()) return std::nullopt;
    std::string text = "Usage: kestrix-calc " + std::string(command->usage) + "\n\n" +
                       std::string(command->summary);
    for (const SharedSection& section : SharedSections())
        if (std::find(command->sections.begin(), command->sections.end(), section.key) !=
            command->sections.end())
            text.append("\n").append(section.text);
    return text + Tail(std::string(command->json), std::string(command->examples));
}

std::string CalcVersionText() {
    return "kestrix-calc " KESTRIX_VERSION "\n";
}

} // namespace kestrix
