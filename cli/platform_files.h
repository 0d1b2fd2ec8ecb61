#pragma once
// The few file operations of the command-line tool that differ between
// POSIX and Windows. Each platform folder (cli/posix, cli/win32) implements
// them once; the rest of the tool stays portable.
#include <cstdio>
#include <string>

namespace tarnik::cli {

// Creates a folder that no other process shares, under the system's
// temporary folder ($TMPDIR or /tmp; GetTempPathA on Windows). The folder is
// created new by this call (never an existing one, never through a link), so
// nothing planted in the shared temporary folder can be written through.
// On success path holds the folder without a trailing separator.
bool CreatePrivateFolder(std::string& path);

// The full path of `path`, relative ones taken from the current folder.
// The Windows profile functions look a relative name up in the Windows
// folder, not the current one, so a settings file must be named in full.
bool FullPath(const std::string& path, std::string& full);

// The separator the platform's paths use ('/' or '\\').
char NativePathSeparator();

// Creates path anew for writing; fails when anything of that name exists
// (a file, a folder or a link), so an existing file is never truncated or
// written through.
FILE* CreateNewFile(const char* path);

// Opens path for writing in place when it names an existing file that is
// not a regular file (a device, a pipe, a terminal: a target with no older
// contents to keep, which a replacing rename would destroy). Sets in_place
// false and returns null when path names a regular file (links followed) or
// nothing; sets it true and returns null when such a target cannot be opened.
FILE* OpenInPlaceTarget(const char* path, bool& in_place);

// Gives the file at from (a link followed to its file) the further name to
// without copying a byte; fails when anything of that name exists or the
// system cannot (another volume, a file system without links, no right).
bool LinkFile(const char* from, const char* to);

// Moves from over to, replacing a file of that name in one step.
bool ReplaceFileWith(const char* from, const char* to);

}  // namespace tarnik::cli
