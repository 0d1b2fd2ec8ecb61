#pragma once
// Reading a plotter job back into cut paths, for previews and for checking
// the encoders. Two languages are understood, as this system writes them:
// the HPGL subset of model "NVAS" ("PU x,y;" "PD x,y;" ... "!PG;", 1 unit
// per millimetre) and the DM/PL-style language of model "NVA" (";:H A L0 EC1
// U " ... "U x,y" moves, "D x,y[,x,y...]" cuts ... "@", 31.496 units per
// millimetre). Unknown commands are passed over and counted, never trusted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik::cli {

enum class JobLanguage { Unknown, Hpgl, Dmpl };

struct JobPoint {
    int32_t x = 0;  // plotter x: along the paper feed
    int32_t y = 0;  // plotter y: across the paper
    bool operator==(const JobPoint&) const = default;
};

// One pen-up move followed by the cuts made from there: points[0] is reached
// with the knife up, every later point is cut to. A path of one point is a
// pure travel move.
struct JobPath {
    std::vector<JobPoint> points;
};

struct DecodedJob {
    JobLanguage language = JobLanguage::Unknown;
    std::vector<JobPath> paths;
    size_t cut_paths = 0;           // paths of two or more points: knife-down runs
    size_t unknown_commands = 0;    // well-formed commands the decoder does not draw
    size_t malformed_commands = 0;  // bad numbers, stray characters
    bool complete = false;          // the job's closing command ("!PG" or "@") was met
};

// Plotter units per millimetre of a language (0 for Unknown).
double JobUnitsPerMm(JobLanguage language);

// Tells the language from the job's first bytes.
JobLanguage DetectJobLanguage(std::string_view bytes);

// Decodes a whole job. False (and an empty job) when the language is not
// recognised. Memory grows with the input only: every stored point takes at
// least four input bytes.
bool DecodeJob(std::string_view bytes, DecodedJob& job);

// The number of cut paths (knife-down runs) of a job, counted by command
// letter in one pass without reading numbers or keeping points. For jobs
// this system writes it equals DecodedJob::cut_paths; in damaged jobs a
// cut command without numbers still counts. 0 for a job in no known
// language.
size_t CountCutPaths(std::string_view bytes);

// CountCutPaths over a job that arrives in pieces of any size: the count
// after the last piece equals CountCutPaths of the whole job.
class CutPathCounter {
  public:
    void Feed(std::string_view piece);
    size_t Count() const { return count_; }

  private:
    enum class State { Start, Counting, Done };
    State state_ = State::Start;
    // The job's first bytes up to its first two past the leading blanks,
    // which tell the language.
    std::string start_;
    bool knife_up_ = true;
    size_t count_ = 0;
};

}  // namespace tarnik::cli
