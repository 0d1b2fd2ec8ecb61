#pragma once
// How a job message (or a cut from a picked file) ended, as the job driver
// and the encoders tell it. The window answers the drawing program's macro
// with 0 or 1 (JobMessageAnswer); the command-line tool says the reason.
namespace tarnik {

enum class JobOutcome {
    Busy,                // a job is being sent ("cutting in progress" balloon)
    LineNotUsable,       // the serial line has a fault (line fault 3 posted)
    MarksNotSelected,    // mark mode with 1000, 1000: "Mark not be selected!"
    Unreadable,          // the plot file cannot be opened (missing, or still being written)
    DataError,           // malformed plot data ("data error!") or no plot file at all
    EmptyDesign,         // no path to cut (pen-up moves at most): a balloon says so
    MarkBandsTooNarrow,  // "Mark bands narrower than 10 mm!"
    Declined,            // the file settings dialog was cancelled
    NoPlotterModel,      // the stored model has no encoder (message box)
    SourceFileError,     // a picked file could not be copied: "Source file error!"
    UsbSendFailed,       // the USB printer port did not take the job
    // The work file, the job buffer or the job port failed after the job was
    // taken: the user was told and nothing was sent.
    NotSent,
    Encoded,  // the job went to its transport, or to a file by cut to file
};

// The answer to the job message: 1 when the job was taken (also when it
// then ended with a message: a retry by the macro would only repeat it), 0
// when it was turned away.
constexpr int JobMessageAnswer(JobOutcome outcome) {
    return outcome == JobOutcome::Encoded || outcome == JobOutcome::NotSent ? 1 : 0;
}

}  // namespace tarnik
