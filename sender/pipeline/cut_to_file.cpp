#include "sender/pipeline/cut_to_file.h"

#include "sender/pipeline/work_file.h"

namespace tarnik {

namespace {
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::string MakeSaveName(const std::string& chosen) {
    const std::size_t name_start = chosen.find_last_of("\\/");
    const std::size_t dot = chosen.find_last_of('.');
    const bool has_extension =
        dot != std::string::npos && (name_start == std::string::npos || dot > name_start);
    if (has_extension) {
        std::string extension = chosen.substr(dot + 1);
        for (char& c : extension) {
            c = LowerAscii(c);
        }
        if (extension == "plt") {
            return chosen;
        }
    }
    return chosen + ".plt";
}

std::string StripOutputPath(const std::string& path, int32_t number) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    const bool has_extension =
        dot != std::string::npos && dot > (name == std::string::npos ? 0 : name + 1);
    const std::size_t at = has_extension ? dot : path.size();
    return path.substr(0, at) + "-" + std::to_string(number) + path.substr(at);
}

void CutJobToFile(JobContext& job, const std::string& work_file) {
    const bool in_strips = job.StripCount > 1;
    if (!in_strips || job.Strip == 0) {
        std::string chosen;
        if (!job.view.RunSaveDialog(kPltSaveFilter, chosen)) {
            job.CutToFile = false;
            job.StripsStopped = true;
            return;
        }
        job.SaveName = MakeSaveName(chosen);
    }
    const std::string target =
        in_strips ? StripOutputPath(job.SaveName, job.Strip + 1) : job.SaveName;
    const bool saved = CopyFileOverwrite(work_file.c_str(), target.c_str());
    if (saved && job.Strip + 1 < job.StripCount)
        return;
    job.view.Notify(saved ? "Save OK!" : "Save faild!", NoticeStyle::kMessageBox);
    job.StripsStopped = !saved;
    job.CutToFile = false;
}

}  // namespace tarnik
