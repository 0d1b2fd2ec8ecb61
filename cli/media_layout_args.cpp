#include "cli/media_layout_args.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "cli/option_reader.h"

namespace tarnik::cli {
namespace {

// A length in mm: a finite number within the layout's bound; positive
// when the option turns something on (a gap, a border, an overlap).
bool ParseLength(const std::string& text, bool positive, double& mm) {
    double value = 0.0;
    if (text.empty() || text[0] == ' ' || !ReadFiniteNumber(text, value) ||
        value > kMaxLayoutLength)
        return false;
    if (positive ? !(value > 0.0) : value < 0.0)
        return false;
    mm = value;
    return true;
}

bool ParseRotate(const std::string& text, RotateChoice& rotate) {
    static constexpr std::pair<const char*, RotateChoice> kWords[] = {
        {"0", RotateChoice::None},
        {"90", RotateChoice::Quarter},
        {"auto", RotateChoice::Automatic}};
    return ReadWord(text, kWords, rotate);
}

bool ParseDirection(const std::string& text, WeedDirection& direction) {
    static constexpr std::pair<const char*, WeedDirection> kWords[] = {
        {"both", WeedDirection::Both},
        {"across", WeedDirection::Across},
        {"along", WeedDirection::Along}};
    return ReadWord(text, kWords, direction);
}

bool ParseCopies(const std::string& text, int32_t& copies) {
    if (text.empty() || text[0] == ' ' || text[0] == '-')
        return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 1 || value > kMaxCopies)
        return false;
    copies = static_cast<int32_t>(value);
    return true;
}

bool ParseMargins(const std::string& text, MediaLayoutOverride& layout) {
    const std::size_t comma = text.find(',');
    double left = 0.0;
    double top = 0.0;
    if (comma == std::string::npos || !ParseLength(text.substr(0, comma), false, left) ||
        !ParseLength(text.substr(comma + 1), false, top))
        return false;
    layout.margin_left = left;
    layout.margin_top = top;
    return true;
}

template <typename T>
bool Once(std::optional<T>& slot, const T& value) {
    if (slot.has_value())
        return false;
    slot = value;
    return true;
}

// One option with a value: how it is read, and what a bad value is told.
struct ValueOption {
    const char* name;
    const char* wants;
    bool (*take)(const std::string& value, MediaLayoutOverride& layout);
};

bool TakeLength(const std::string& value, bool positive, std::optional<double>& slot) {
    double mm = 0.0;
    return ParseLength(value, positive, mm) && Once(slot, mm);
}

const ValueOption kValueOptions[] = {
    {"--media-width", "a width in mm (0: not known)",
     [](const std::string& v, MediaLayoutOverride& l) {
         return TakeLength(v, false, l.media_width);
     }},
    {"--rotate", "0, 90 or auto",
     [](const std::string& v, MediaLayoutOverride& l) {
         RotateChoice rotate = RotateChoice::None;
         return ParseRotate(v, rotate) && Once(l.rotate, rotate);
     }},
    {"--margin", "LEFT,TOP in mm, each 0 or more",
     [](const std::string& v, MediaLayoutOverride& l) {
         return !l.margin_left.has_value() && ParseMargins(v, l);
     }},
    {"--copies", "a whole number from 1 to 1000",
     [](const std::string& v, MediaLayoutOverride& l) {
         int32_t copies = 0;
         return ParseCopies(v, copies) && Once(l.copies, copies);
     }},
    {"--gap", "a gap of more than 0 mm",
     [](const std::string& v, MediaLayoutOverride& l) { return TakeLength(v, true, l.copy_gap); }},
    {"--weed-border", "a distance of more than 0 mm",
     [](const std::string& v, MediaLayoutOverride& l) {
         return TakeLength(v, true, l.weed_border);
     }},
    {"--weed-lines", "a spacing of 1 mm or more",
     [](const std::string& v, MediaLayoutOverride& l) {
         double mm = 0.0;
         return ParseLength(v, true, mm) && mm >= kSmallestWeedSpacing && Once(l.weed_lines, mm);
     }},
    {"--weed-direction", "both, across or along",
     [](const std::string& v, MediaLayoutOverride& l) {
         WeedDirection direction = WeedDirection::Both;
         return ParseDirection(v, direction) && Once(l.weed_direction, direction);
     }},
    {"--weed-gap", "a gap of more than 0 mm",
     [](const std::string& v, MediaLayoutOverride& l) { return TakeLength(v, true, l.weed_gap); }},
    {"--tile", "an overlap of more than 0 mm",
     [](const std::string& v, MediaLayoutOverride& l) {
         return TakeLength(v, true, l.tile_overlap);
     }},
};

}  // namespace

void MediaLayoutOverride::ApplyTo(MediaLayoutOptions& options) const {
    options.MediaWidth = media_width.value_or(options.MediaWidth);
    options.Rotate = rotate.value_or(options.Rotate);
    options.Mirror = options.Mirror || mirror;
    options.MarginLeft = margin_left.value_or(options.MarginLeft);
    options.MarginTop = margin_top.value_or(options.MarginTop);
    options.Copies = copies.value_or(options.Copies);
    options.CopyGap = copy_gap.value_or(options.CopyGap);
    options.WeedBorder = weed_border.value_or(options.WeedBorder);
    options.WeedLines = weed_lines.value_or(options.WeedLines);
    options.WeedLineDirection = weed_direction.value_or(options.WeedLineDirection);
    options.WeedGap = weed_gap.value_or(options.WeedGap);
    options.TileOverlap = tile_overlap.value_or(options.TileOverlap);
}

const char* MediaLayoutHelpText() {
    return "Placing the job on the media (cut; they override the settings file's CutPlan\n"
           "section; lengths in mm, X along the feed, Y across the media):\n"
           "  --media-width MM     the media's width; a wider job is refused (0: not known)\n"
           "  --rotate 0|90|auto   turn the job a quarter; auto turns it when it fits only\n"
           "                       turned or its long side would run across the media\n"
           "  --mirror             mirror it as drawn (heat-transfer vinyl)\n"
           "  --margin LEFT,TOP    move it from the plotter's origin: LEFT across, TOP along\n"
           "  --copies N           N copies, across the media as far as it holds, then along\n"
           "  --gap MM             gap between copies (default 5)\n"
           "  --weed-border MM     a rectangle around the whole job at MM, cut last\n"
           "  --weed-lines D       weed lines every D mm through the waste inside the border,\n"
           "                       each stopping short of the design; cut before the border\n"
           "  --weed-direction both|across|along  which weed lines (default both)\n"
           "  --weed-gap MM        how far weed lines stop short of the design (default 2)\n"
           "  --tile OVERLAP_MM    a job wider than the media is cut in strips of the media's\n"
           "                       width sharing OVERLAP_MM, with alignment ticks; --output\n"
           "                       FILE writes FILE-1.ext, FILE-2.ext ...; a plotter gets one\n"
           "                       strip after another, Enter between them\n";
}

bool TakeMediaLayoutArgs(std::vector<std::string>& args, MediaLayoutOverride& layout,
                         std::string& error) {
    for (std::size_t i = 1; i < args.size();) {
        if (args[i] == "--")
            break;
        if (args[i] == "--mirror") {
            layout.mirror = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        bool taken = false;
        for (const ValueOption& option : kValueOptions) {
            std::string value;
            bool has_value = false;
            if (!TakeOption(args, i, option.name, value, has_value))
                continue;
            if (!has_value || !option.take(value, layout)) {
                error = std::string(option.name) + " takes " + option.wants + ", once";
                return false;
            }
            taken = true;
            break;
        }
        if (!taken)
            ++i;
    }
    return true;
}

}  // namespace tarnik::cli
