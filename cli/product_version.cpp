#include "cli/product_version.h"

namespace tarnik::cli {

// TARNIK_VERSION is given to this file alone by the build (cli/CMakeLists.txt).
const char* ProductVersion() {
    return TARNIK_VERSION;
}

}  // namespace tarnik::cli
