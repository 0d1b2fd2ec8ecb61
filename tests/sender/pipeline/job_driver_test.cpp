// The job driver: every refusal with what the user sees and what becomes of
// the export file, the file settings dialog, the model choice and cut from
// a picked file.
#include "sender/pipeline/job_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sender/pipeline/fakes/job_rig.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::JobRig;
using testing::WriteWholeFile;

constexpr char kDesign[] = "IN;PU2000,1000;PD5000,4000;";
// 46 bytes spanning the whole 32-bit range of heights.
constexpr char kTallest[] = "IN;PU0,-2147483647;PD100,2147483647;PU0,0;SP0;";
static_assert(sizeof kTallest - 1 == 46);
const std::string kTooLong = "IN;CO\"" + std::string(60, 'a') + "\";PU0,0;PD10,10;";

// Encoders that only note their call.
std::vector<std::string> g_encoded;
JobOutcome NoteDmpl(const char*, JobContext&) {
    g_encoded.push_back("dmpl");
    return JobOutcome::Encoded;
}
JobOutcome NoteHpgl(const char*, JobContext&) {
    g_encoded.push_back("hpgl");
    return JobOutcome::Encoded;
}
JobOutcome Refuse(const char*, JobContext&) {
    g_encoded.push_back("refused");
    return JobOutcome::DataError;
}

enum class Fate { Deleted, Kept, Absent };

// What a job message leaves: the outcome, the calls on both seams, the
// encoders called and the export file.
struct Expected {
    JobOutcome returns;
    std::vector<std::string> view_calls;
    std::vector<std::string> handover_calls;
    std::vector<std::string> encoded;
    Fate fate;
};
const Expected kTakenByDmpl{JobOutcome::Encoded, {"file-settings"}, {}, {"dmpl"}, Fate::Kept};
const Expected kTakenByHpgl{JobOutcome::Encoded, {"file-settings"}, {}, {"hpgl"}, Fate::Kept};
const Expected kNoPath{
    JobOutcome::EmptyDesign, {std::string("balloon:") + kNoPathToCut}, {}, {}, Fate::Kept};
const Expected kNotPlot{
    JobOutcome::DataError, {std::string("balloon:") + kNotPlotFile}, {}, {}, Fate::Kept};

TEST(JobDriver, OnJobReady) {
    struct Case {
        const char* label;
        const char* export_text;  // null: no export file
        int32_t a, b;
        void (*adjust)(JobRig&);
        JobEncoder dmpl;
        Expected expected;
    } cases[] = {
        {"busy sending",
         kDesign,
         0,
         0,
         [](JobRig& r) { r.gate.sender_idle = false; },
         NoteDmpl,
         {JobOutcome::Busy, {"balloon#123"}, {}, {}, Fate::Deleted}},
        {"busy sending, no export file",
         nullptr,
         0,
         0,
         [](JobRig& r) { r.gate.sender_idle = false; },
         NoteDmpl,
         {JobOutcome::Busy, {}, {}, {}, Fate::Absent}},
        {"line not usable",
         kDesign,
         0,
         0,
         [](JobRig& r) { r.gate.line_usable = false; },
         NoteDmpl,
         {JobOutcome::LineNotUsable, {}, {"line-fault:3"}, {}, Fate::Deleted}},
        {"line not usable, no export file",
         nullptr,
         0,
         0,
         [](JobRig& r) { r.gate.line_usable = false; },
         NoteDmpl,
         {JobOutcome::LineNotUsable, {}, {}, {}, Fate::Absent}},
        {"marks not selected",
         kDesign,
         1000,
         1000,
         [](JobRig& r) { r.settings.CutImageMode = 1; },
         NoteDmpl,
         {JobOutcome::MarksNotSelected, {"balloon:Mark not be selected!"}, {}, {}, Fate::Deleted}},
        {"1000, 1000 outside mark mode is a job", kDesign, 1000, 1000, [](JobRig&) {}, NoteDmpl,
         kTakenByDmpl},
        {"export file missing",
         nullptr,
         0,
         0,
         [](JobRig&) {},
         NoteDmpl,
         {JobOutcome::Unreadable, {}, {}, {}, Fate::Absent}},
        {"over-long command",
         kTooLong.c_str(),
         0,
         0,
         [](JobRig&) {},
         NoteDmpl,
         {JobOutcome::DataError, {"balloon:data error!"}, {}, {}, Fate::Kept}},
        // Design height 3000: 8 inner limits give bands of 333 units, 9 give
        // 300, under the 10 mm (314.96 units) a band needs.
        {"mark bands of 10 mm or more", kDesign, 0, 8,
         [](JobRig& r) { r.settings.CutImageMode = 1; }, NoteDmpl, kTakenByDmpl},
        {"mark bands under 10 mm",
         kDesign,
         0,
         9,
         [](JobRig& r) { r.settings.CutImageMode = 1; },
         NoteDmpl,
         {JobOutcome::MarkBandsTooNarrow,
          {"balloon:Mark bands narrower than 10 mm!"},
          {},
          {},
          Fate::Deleted}},
        {"a billion mark bands on the tallest design",
         kTallest,
         0,
         1000000000,
         [](JobRig& r) { r.settings.CutImageMode = 1; },
         NoteDmpl,
         {JobOutcome::MarkBandsTooNarrow,
          {"balloon:Mark bands narrower than 10 mm!"},
          {},
          {},
          Fate::Deleted}},
        {"mark bands outside mark mode are a job", kTallest, 0, 1000000000, [](JobRig&) {},
         NoteDmpl, kTakenByDmpl},
        {"model NVAS splits no bands", kTallest, 0, 1000000000,
         [](JobRig& r) {
             r.settings.CutImageMode = 1;
             r.settings.ModelIndex = 1;
         },
         NoteDmpl, kTakenByHpgl},
        {"no path", "IN;SP1;", 0, 0, [](JobRig&) {}, NoteDmpl, kNoPath},
        {"empty file", "", 0, 0, [](JobRig&) {}, NoteDmpl, kNoPath},
        {"only a pen-up", "IN;PU100,100;", 0, 0, [](JobRig&) {}, NoteDmpl, kNoPath},
        {"pen-up moves far apart", "IN;PU0,0;PU900,700;SP0;", 0, 0, [](JobRig&) {}, NoteDmpl,
         kNoPath},
        {"a pen-down without a point", "IN;PU5,5;PD;PU;", 0, 0, [](JobRig&) {}, NoteDmpl, kNoPath},
        {"a cut on one spot", "IN;PU5,5;PD5,5,5,5;PU;", 0, 0, [](JobRig&) {}, NoteDmpl, kNoPath},
        {"a drawing picked by mistake", "<?xml version=\"1.0\"?>\n<svg width=\"10mm\"/>\n", 0, 0,
         [](JobRig&) {}, NoteDmpl, kNotPlot},
        {"a picture picked by mistake", "\x89PNG\r\n\x1a\n", 0, 0, [](JobRig&) {}, NoteDmpl,
         kNotPlot},
        {"a single straight cut is a job", "IN;PU0,0;PD400,0;PU;", 0, 0, [](JobRig&) {}, NoteDmpl,
         kTakenByDmpl},
        {"dialog cancelled",
         kDesign,
         0,
         0,
         [](JobRig& r) { r.view.file_settings.ok = false; },
         NoteDmpl,
         {JobOutcome::Declined, {"file-settings"}, {}, {}, Fate::Deleted}},
        {"model NVA", kDesign, 0, 0, [](JobRig&) {}, NoteDmpl, kTakenByDmpl},
        {"model NVAS", kDesign, 0, 0, [](JobRig& r) { r.settings.ModelIndex = 1; }, NoteDmpl,
         kTakenByHpgl},
        {"unknown model: neither encoder, and a message",
         kDesign,
         0,
         0,
         [](JobRig& r) { r.settings.ModelIndex = -1; },
         NoteDmpl,
         {JobOutcome::NoPlotterModel,
          {"file-settings", std::string("message:") + kNoPlotterModel},
          {},
          {},
          Fate::Deleted}},
        {"encoder refuses",
         kDesign,
         0,
         0,
         [](JobRig&) {},
         Refuse,
         {JobOutcome::DataError, {"file-settings"}, {}, {"refused"}, Fate::Kept}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_encoded.clear();
        JobRig rig;
        c.adjust(rig);
        if (c.export_text) {
            WriteWholeFile(rig.ExportFile(), c.export_text);
        }
        JobDriver driver(rig.job, c.dmpl, NoteHpgl);
        const Expected& e = c.expected;
        EXPECT_EQ(driver.OnJobReady(c.a, c.b), e.returns);
        EXPECT_EQ(rig.view.calls, e.view_calls);
        EXPECT_EQ(rig.handover.calls, e.handover_calls);
        EXPECT_EQ(g_encoded, e.encoded);
        EXPECT_EQ(FileExists(rig.ExportFile()), e.fate == Fate::Kept);
    }
}

TEST(JobDriver, SizeAndOriginFromThePreScan) {
    JobRig rig;
    WriteWholeFile(rig.ExportFile(), kDesign);
    rig.view.file_settings.cut_to_file = true;
    JobDriver driver(rig.job, NoteDmpl, NoteHpgl);
    EXPECT_EQ(driver.OnJobReady(5, 6), JobOutcome::Encoded);
    EXPECT_FLOAT_EQ(rig.view.width_mm, 95.25019f);
    EXPECT_EQ(rig.view.width_mm, 3000.0f / 31.496000289916992f);
    EXPECT_EQ(rig.view.height_mm, 3000.0f / 31.496000289916992f);
    EXPECT_EQ(rig.job.mapping.XOrigin, 2000);
    EXPECT_EQ(rig.job.mapping.YTop, 4000);
    EXPECT_EQ(rig.job.MarkParamA, 5);
    EXPECT_EQ(rig.job.MarkParamB, 6);
    EXPECT_TRUE(rig.job.CutToFile);
}

TEST(JobDriver, WholeRoadToTheSerialTransfer) {
    JobRig rig;
    WriteWholeFile(rig.ExportFile(), "IN;PU0,0;PD0,1000;");
    JobDriver driver(rig.job);
    EXPECT_EQ(driver.OnJobReady(0, 0), JobOutcome::Encoded);
    EXPECT_EQ(rig.handover.SerialBytes(), ";:H A L0 EC1 U U1000,0 D0,0 U0,0 @");
    // A second job while the block sender sends the first is turned away.
    rig.gate.sender_idle = false;
    WriteWholeFile(rig.ExportFile(), "IN;PU0,0;PD0,1000;");
    EXPECT_EQ(driver.OnJobReady(0, 0), JobOutcome::Busy);
    EXPECT_FALSE(FileExists(rig.ExportFile()));
}

TEST(JobDriver, OnCutFromFile) {
    struct Case {
        const char* label;
        const char* picked;  // in the scratch folder; "" picks the export file
        bool picked_exists;
        JobOutcome returns;
        std::vector<std::string> view_calls;
    } cases[] = {
        {"picked file copied over the export file",
         "design.plt",
         true,
         JobOutcome::Encoded,
         {"file-settings"}},
        {"picked file missing",
         "missing.plt",
         false,
         JobOutcome::SourceFileError,
         {"message:Source file error!"}},
        {"the export file itself in other letter case: no copy",
         "EXPORT.PLT",
         false,
         JobOutcome::Encoded,
         {"file-settings"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_encoded.clear();
        JobRig rig;
        const std::string target = rig.job.CutFromFileTarget();
        WriteWholeFile(target, "IN;PU0,0;PD10,10;");
        // Spelled as the export folder is, so that only the letter case differs.
        const std::string picked = rig.settings.ColExportPath + std::string(c.picked);
        if (c.picked_exists) {
            WriteWholeFile(picked, kDesign);
        }
        JobDriver driver(rig.job, NoteDmpl, NoteHpgl);
        EXPECT_EQ(driver.OnCutFromFile(picked.c_str()), c.returns);
        EXPECT_EQ(rig.view.calls, c.view_calls);
        EXPECT_EQ(testing::ReadWholeFile(target), c.picked_exists ? kDesign : "IN;PU0,0;PD10,10;");
    }
}

}  // namespace
}  // namespace tarnik
