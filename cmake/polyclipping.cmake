# ---- The polygon clipping library (polyclipping) ----
# The weed lines' clipping and offsetting come from Debian's libpolyclipping.
# Natively the installed library is used (libpolyclipping-dev). Debian ships
# no MinGW build of it, so the Windows build fetches Debian's source package
# with apt's own client (scripts/fetch-polyclipping.sh) into the build tree
# and compiles its one source file with the MinGW toolchain. Its code never
# enters the repository.
if(NOT WIN32)
    find_path(POLYCLIPPING_INCLUDE_DIR clipper.hpp PATH_SUFFIXES polyclipping REQUIRED)
    find_library(POLYCLIPPING_LIBRARY polyclipping REQUIRED)
    add_library(polyclipping INTERFACE)
    target_include_directories(polyclipping SYSTEM INTERFACE ${POLYCLIPPING_INCLUDE_DIR})
    target_link_libraries(polyclipping INTERFACE ${POLYCLIPPING_LIBRARY})
else()
    set(polyclipping_source ${CMAKE_BINARY_DIR}/polyclipping)
    if(NOT EXISTS ${polyclipping_source}/clipper.cpp)
        execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-polyclipping.sh
                                ${polyclipping_source}
                        RESULT_VARIABLE fetched)
        if(NOT fetched EQUAL 0)
            message(FATAL_ERROR "Could not fetch Debian's libpolyclipping source package "
                                "(scripts/fetch-polyclipping.sh)")
        endif()
    endif()
    # The library's own code, built as its authors wrote it: none of the
    # project's warning flags.
    add_library(polyclipping STATIC ${polyclipping_source}/clipper.cpp)
    target_include_directories(polyclipping SYSTEM PUBLIC ${polyclipping_source})
endif()
