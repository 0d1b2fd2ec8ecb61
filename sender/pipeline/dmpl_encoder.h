#pragma once
// The job encoder of the plotter model "NVA": the DM/PL-style command
// language with dashed cutting, the registration-mark header and band split,
// and the paper feed of the settings. The job goes to a file (cut to file),
// to the USB printer port or to the serial port.
#include "sender/pipeline/job_context.h"
#include "sender/pipeline/job_outcome.h"

namespace tarnik {

// Encodes the plot file into "tempfile.001" in job.TempFolder, then saves it
// where the user chooses (job.CutToFile), sends it over USB (PortType 1) or
// hands it to the serial transport. Returns Encoded, Unreadable (the plot
// file cannot be opened), DataError ("data error!"), UsbSendFailed, or
// NotSent when the job ended with a message and nothing was sent (work
// file, job buffer or job port failure). The plot file stays.
JobOutcome EncodeDmplJob(const char* plot_path, JobContext& job);

}  // namespace tarnik
