#pragma once
// The whole of tarnik-cli behind one call, so tests run it in-process.
#include <ostream>

namespace tarnik::cli {

// Runs the tool with argv as main() gets it; returns the exit status
// (0 done, 1 refused, 2 usage error).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tarnik::cli
