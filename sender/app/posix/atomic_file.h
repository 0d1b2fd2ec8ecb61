#pragma once
// Replacing a whole file so that a crash or a full disk in the middle leaves
// either the old or the new contents, never a mix: the new bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the old one.
#include <string>
#include <string_view>

namespace tarnik {

// Returns false (and leaves any existing file as it was) when any step fails.
// The new file keeps the permission bits of the file it replaces; a file
// reached through a symbolic link is replaced at the link's target.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tarnik
