#pragma once
// What a file given to `cut` or `preview` is, told from its first bytes,
// so that a drawing, a document or a picture given where a plot file or a
// job belongs gets an answer that says what it is and what to do.
#include <string>
#include <string_view>

namespace tarnik::cli {

enum class FileKind {
    Other,       // nothing recognised: left to the reader of the command
    PlotFile,    // HPGL as a drawing program exports it ("IN;", pen selects)
    NvaJob,      // a DM/PL job of model NVA, as cut writes it
    NvasJob,     // an HPGL job of model NVAS, as cut writes it
    Svg,         // an SVG drawing (plain or gzip-compressed)
    Pdf,         // a PDF document
    PostScript,  // PostScript or EPS
    Picture,     // PNG, JPEG, GIF, TIFF, BMP or WebP
};

// How many first bytes SniffFileKind looks at, at most.
inline constexpr size_t kSniffBytes = 4096;

FileKind SniffFileKind(std::string_view head);

// Reads the first kSniffBytes of a file (fewer when it is shorter);
// empty when it cannot be read.
std::string ReadFileHead(const std::string& path);

// The refusal for a file `cut` cannot cut, with its line feed; empty when
// the file may be a plot file.
std::string WrongFileForCut(FileKind kind, const std::string& path);

// The refusal for a file `preview` cannot draw; empty when it may be a job.
std::string WrongFileForPreview(FileKind kind, const std::string& path);

}  // namespace tarnik::cli
