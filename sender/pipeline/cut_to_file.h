#pragma once
// Cut to file: the encoded job is saved where the user chooses instead of
// being sent, so it can be cut later or elsewhere.
#include <string>

#include "sender/pipeline/job_context.h"

namespace tarnik {

inline constexpr char kPltSaveFilter[] = "PLT Files (*.PLT)|*.PLT||";

// The saved file's name: ".plt" is appended unless the chosen name already
// has that extension in any letter case (job -> job.plt, job.PLT stays,
// job.txt -> job.txt.plt).
std::string MakeSaveName(const std::string& chosen);

// Asks for a name through the save dialog and copies the closed work file
// there, replacing a file of that name; says "Save OK!" or "Save faild!".
// CutToFile is cleared whatever the user chose: it holds for one job only.
void CutJobToFile(JobContext& job, const std::string& work_file);

}  // namespace tarnik
