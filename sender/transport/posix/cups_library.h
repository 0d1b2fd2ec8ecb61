#pragma once
// The CUPS client library, loaded only when a job is sent to a CUPS queue:
// linked in, it and the thirty-odd libraries it pulls along (TLS, Kerberos)
// would be mapped into every run of the tool, and cost more memory than the
// whole job pipeline.
#include <cups/cups.h>

namespace tarnik {

struct CupsLibrary {
    decltype(&::httpClose) httpClose;
    decltype(&::httpConnect2) httpConnect2;
    decltype(&::cupsServer) cupsServer;
    decltype(&::ippPort) ippPort;
    decltype(&::cupsEncryption) cupsEncryption;
    decltype(&::cupsLastError) cupsLastError;
    decltype(&::cupsLastErrorString) cupsLastErrorString;
    decltype(&::cupsWriteRequestData) cupsWriteRequestData;
    decltype(&::cupsCancelJob2) cupsCancelJob2;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest;
    decltype(&::cupsFreeDests) cupsFreeDests;
    decltype(&::cupsCreateJob) cupsCreateJob;
    decltype(&::cupsStartDocument) cupsStartDocument;
    decltype(&::cupsFinishDocument) cupsFinishDocument;
};

// The library's entry points, loaded on the first call and kept for the
// life of the process; null when libcups is not installed (the reason is
// then in the text LoadCupsError returns).
const CupsLibrary* LoadCupsLibrary();
const char* LoadCupsError();

}  // namespace tarnik
