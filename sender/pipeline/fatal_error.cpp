#include "sender/pipeline/fatal_error.h"

#include <cstdio>
#include <cstdlib>

namespace tarnik {
namespace {

void WriteToStandardError(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

FatalMessageHandler g_handler = WriteToStandardError;

}  // namespace

void SetFatalMessageHandler(FatalMessageHandler handler) {
    g_handler = handler ? handler : WriteToStandardError;
}

void EndOnOutOfMemory(const char* text, const char* caption) {
    g_handler(text, caption);
    std::exit(1);
}

}  // namespace tarnik
