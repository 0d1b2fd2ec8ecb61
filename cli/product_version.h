#pragma once
// The product's version, one number for the package, the programs'
// --version and the documents (the project's version in CMakeLists.txt).

namespace tarnik::cli {

const char* ProductVersion();

}  // namespace tarnik::cli
