#pragma once
// The export file as the Windows job sender opens it before a job.

namespace tarnik {

// Opens path for reading without sharing it and closes it again: false
// while any other program (the drawing program's macro still writing the
// export) has the file open, or when it does not exist.
bool OpenWithoutSharing(const char* path);

}  // namespace tarnik
