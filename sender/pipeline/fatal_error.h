#pragma once
// Running out of memory while a path is built ends the program: the user
// sees the message (a message box on Windows, stderr in the command-line
// tool) and the process exits with code 1.

namespace tarnik {

// Shows a fatal message; installed by the program's shell.
using FatalMessageHandler = void (*)(const char* text, const char* caption);

// Replaces the handler; null restores the default (text on stderr).
void SetFatalMessageHandler(FatalMessageHandler handler);

// Shows the message through the handler, then exits with code 1.
[[noreturn]] void EndOnOutOfMemory(const char* text, const char* caption);

}  // namespace tarnik
