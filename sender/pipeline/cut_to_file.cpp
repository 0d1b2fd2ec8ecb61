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

void CutJobToFile(JobContext& job, const std::string& work_file) {
    std::string chosen;
    if (job.view.RunSaveDialog(kPltSaveFilter, chosen)) {
        const std::string target = MakeSaveName(chosen);
        const bool saved = CopyFileOverwrite(work_file.c_str(), target.c_str());
        job.view.Notify(saved ? "Save OK!" : "Save faild!", NoticeStyle::kMessageBox);
    }
    job.CutToFile = false;
}

}  // namespace tarnik
