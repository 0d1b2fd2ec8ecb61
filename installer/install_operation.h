#pragma once
// The install operation behind the Install button: the version check, the
// automation sequence of the chosen version (with the export settings step
// for CorelDRAW 12 and later), the macro copy into CorelDRAW's GMS folder
// and the program file copy into the program folder.
#include <string>

#include "installer/install_seams.h"

namespace tarnik::installer {

// The program folder the programs are copied into, and its parent.
inline constexpr const char* kProgramFilesFolder = "c:\\program files\\";
inline constexpr const char* kProgramFolder = "c:\\program files\\Tarnik\\";

inline constexpr const char* kNoVersionMessage =
    "Select the CorelDRAW version from the list, then press Install.";

enum class InstallOutcome {
    kNoVersion,  // the index names no version: nothing was done but the hint
    kStopped,    // a message ended the run; the window stays open
    kRejected,   // CorelDRAW rejected an automation call; the window stays open
    kSucceeded,  // "Install success!" was shown; the window closes
};

// `source_folder` is the installer's own folder without a trailing
// separator. Every automation object of the run belongs to `seams`.
InstallOutcome RunInstall(int version_index, const std::string& source_folder,
                          const InstallSeams& seams);

}  // namespace tarnik::installer
