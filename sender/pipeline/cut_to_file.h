#pragma once
// Cut to file: the encoded job is saved where the user chooses instead of
// being sent, so it can be cut later or elsewhere.
#include <cstdint>
#include <string>

#include "sender/pipeline/job_context.h"

namespace tarnik {

inline constexpr char kPltSaveFilter[] = "PLT Files (*.PLT)|*.PLT||";

// The saved file's name: ".plt" is appended unless the chosen name already
// has that extension in any letter case (job -> job.plt, job.PLT stays,
// job.txt -> job.txt.plt).
std::string MakeSaveName(const std::string& chosen);

// The file of strip `number` (from 1) of a job cut in strips: FILE with
// "-N" before its extension: "banner.plt" gives "banner-2.plt",
// "out/banner" gives "out/banner-2" (a dot in a folder name is no
// extension).
std::string StripOutputPath(const std::string& path, int32_t number);

// Asks for a name through the save dialog and copies the closed work file
// there, replacing a file of that name; says "Save OK!" or "Save faild!".
// CutToFile is cleared whatever the user chose: it holds for one job only.
// A job cut in strips asks for the name at its first strip and saves each
// strip under StripOutputPath of it; CutToFile then stays set while strips
// are still to be saved, and StripsStopped is set when the user cancelled
// the name or a strip could not be saved. "Save OK!" is said once, after
// the last strip.
void CutJobToFile(JobContext& job, const std::string& work_file);

}  // namespace tarnik
