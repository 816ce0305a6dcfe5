#include "Options.h"

#include <getopt.h>

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

enum LongOnly : int {
    kPosition = 256,
    kMargin,
    kBackgroundImage,
    kGothicFont,
    kMinchoFont,
    kCp932,
    kKeepNewlines,
};

constexpr option kLongOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"size", required_argument, nullptr, 's'},
    {"position", required_argument, nullptr, kPosition},
    {"margin", required_argument, nullptr, kMargin},
    {"background", required_argument, nullptr, 'b'},
    {"background-image", required_argument, nullptr, kBackgroundImage},
    {"archive", required_argument, nullptr, 'a'},
    {"gothic-font", required_argument, nullptr, kGothicFont},
    {"mincho-font", required_argument, nullptr, kMinchoFont},
    {"cp932", no_argument, nullptr, kCp932},
    {"keep-newlines", no_argument, nullptr, kKeepNewlines},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};
// The leading ':' makes getopt report a missing value apart from an unknown option.
constexpr char kShortOptions[] = ":o:s:b:a:h";

// The option's long name, for messages.
std::string OptionName(int code) {
    for (const option& o : kLongOptions) {
        if (o.name && o.val == code) return std::string("--") + o.name;
    }
    return std::string("-") + static_cast<char>(code);
}

}  // namespace

Options ParseOptions(int argc, char** argv) {
    Options options;
    opterr = 0;
    optind = 1;
    int code = 0;
    while ((code = getopt_long(argc, argv, kShortOptions, kLongOptions, nullptr)) != -1) {
        const std::string name = OptionName(code);
        const std::string value = optarg ? optarg : "";
        switch (code) {
            case 'o': options.output = value; break;
            case 's': options.size = ParseSize(name, value); break;
            case kPosition: options.position = ParsePoint(name, value); break;
            case kMargin: options.margin = ParseCount(name, value, 4096); break;
            case 'b': options.background = ParseColor(name, value); break;
            case kBackgroundImage: options.backgroundImage = value; break;
            case 'a': options.archive = value; break;
            case kGothicFont: options.gothicFont = value; break;
            case kMinchoFont: options.minchoFont = value; break;
            case kCp932: options.cp932 = true; break;
            case kKeepNewlines: options.keepNewlines = true; break;
            case 'h': options.help = true; return options;
            case ':': throw UsageError(OptionName(optopt) + " needs a value");
            default: {
                // An unknown long option leaves optopt at 0 and is the word just read.
                const std::string word = optopt ? OptionName(optopt)
                                                : std::string(argv[optind - 1]).substr(0, std::string(argv[optind - 1]).find('='));
                throw UsageError("unknown option '" + word + "'; see --help");
            }
        }
    }
    if (optind < argc) options.input = argv[optind++];
    if (optind < argc) throw UsageError("one input file at most; also got '" + std::string(argv[optind]) + "'");
    if (options.output.empty()) throw UsageError("no output file: give -o FILE.png");
    if (options.position && !options.size && options.backgroundImage.empty()) {
        throw UsageError("--position needs a canvas of known size: give --size or --background-image");
    }
    return options;
}

}  // namespace quenta::render
