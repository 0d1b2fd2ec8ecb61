// Telling drawings, documents, pictures, plot files and jobs apart.
#include "cli/file_kind.h"

#include <cstdio>
#include <memory>

#include "cli/job_decoder.h"

namespace tarnik::cli {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view SkipBlanks(std::string_view text) {
    size_t at = 0;
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) {
        ++at;
    }
    return text.substr(at);
}

bool IsPicture(std::string_view head) {
    return StartsWith(head, "\x89PNG") || StartsWith(head, "\xFF\xD8\xFF") ||
           StartsWith(head, "GIF8") || StartsWith(head, std::string_view("II*\0", 4)) ||
           StartsWith(head, std::string_view("MM\0*", 4)) || StartsWith(head, "BM") ||
           (StartsWith(head, "RIFF") && head.substr(8, 4) == "WEBP");
}

bool IsSvg(std::string_view head) {
    // A compressed SVG (.svgz) is the only gzip stream a drawing program
    // hands a user for a drawing.
    if (StartsWith(head, "\x1F\x8B")) {
        return true;
    }
    const std::string_view text =
        SkipBlanks(StartsWith(head, "\xEF\xBB\xBF") ? head.substr(3) : head);
    return (StartsWith(text, "<?xml") || StartsWith(text, "<svg") || StartsWith(text, "<!--") ||
            StartsWith(text, "<!DOCTYPE svg")) &&
           head.find("<svg") != std::string_view::npos;
}

// The job encoders write none of the commands a drawing program's export
// opens with or selects pens by.
bool IsPlotFile(std::string_view head) {
    const std::string_view text = SkipBlanks(head);
    return StartsWith(text, "IN") || head.find("SP") != std::string_view::npos ||
           head.find("IW") != std::string_view::npos;
}

constexpr char kMakePlotFile[] =
    "cut wants an HPGL plot file at 800 units per inch. From Inkscape, cut the drawing with "
    "Extensions > Send to cutter (Tarnik)..., or save a copy as HPGL at 800 units per inch "
    "and cut that file; from another drawing program, export the drawing as HPGL (PLT) at "
    "800 units per inch.";

}  // namespace

FileKind SniffFileKind(std::string_view head) {
    head = head.substr(0, kSniffBytes);
    if (StartsWith(head, "%PDF-")) {
        return FileKind::Pdf;
    }
    if (StartsWith(head, "%!PS") || StartsWith(head, "\xC5\xD0\xD3\xC6")) {
        return FileKind::PostScript;
    }
    if (IsPicture(head)) {
        return FileKind::Picture;
    }
    if (IsSvg(head)) {
        return FileKind::Svg;
    }
    switch (DetectJobLanguage(head)) {
        case JobLanguage::Dmpl:
            return FileKind::NvaJob;
        case JobLanguage::Hpgl:
            return IsPlotFile(head) ? FileKind::PlotFile : FileKind::NvasJob;
        case JobLanguage::Unknown:
            break;
    }
    return FileKind::Other;
}

std::string ReadFileHead(const std::string& path) {
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return {};
    }
    std::string head(kSniffBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    return head;
}

std::string WrongFileForCut(FileKind kind, const std::string& path) {
    const std::string start = "tarnik-cli: " + path;
    switch (kind) {
        case FileKind::Svg:
            return start + " is an SVG drawing, not a plot file. " + kMakePlotFile + "\n";
        case FileKind::Pdf:
            return start + " is a PDF document, not a plot file. " + kMakePlotFile + "\n";
        case FileKind::PostScript:
            return start + " is a PostScript or EPS document, not a plot file. " + kMakePlotFile +
                   "\n";
        case FileKind::Picture:
            return start +
                   " is a picture, not a plot file: a picture holds no outlines to cut. Trace it "
                   "into paths in a drawing program first (Inkscape: Path > Trace Bitmap). " +
                   kMakePlotFile + "\n";
        case FileKind::NvaJob:
            return start +
                   " is a job for model NVA that cut has written, not a plot file: preview draws "
                   "it; cut wants the plot file it was made from.\n";
        case FileKind::Other:
        case FileKind::PlotFile:
        case FileKind::NvasJob:  // plain HPGL: a plot file as well
            break;
    }
    return {};
}

std::string WrongFileForPreview(FileKind kind, const std::string& path) {
    const std::string start = "tarnik-cli: " + path;
    constexpr char kWants[] =
        "preview draws a job that cut has written: run tarnik-cli cut --output JOBFILE on it "
        "first, then preview JOBFILE.";
    switch (kind) {
        case FileKind::PlotFile:
            return start + " is a plot file (a drawing program's HPGL), not a job. " + kWants +
                   "\n";
        case FileKind::Svg:
        case FileKind::Pdf:
        case FileKind::PostScript:
        case FileKind::Picture:
            return start +
                   " is a drawing, a document or a picture, not a job: preview draws a job "
                   "that cut has written from a plot file.\n";
        case FileKind::Other:
        case FileKind::NvaJob:
        case FileKind::NvasJob:
            break;
    }
    return {};
}

}  // namespace tarnik::cli
