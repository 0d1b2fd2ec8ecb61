# Fails when a portable source includes an operating-system header or
# chooses code by platform with the preprocessor. Portable is every .cpp
# and .h below the program folders that is not in a win32/ or posix/
# subfolder (those hold the platform layer): the subsystem folders,
# cli/ and ui/, and any folder added below them.
set(program_dirs sender serial markoffset installer cli ui)
set(os_headers windows.h winbase.h winuser.h winspool.h commctrl.h shellapi.h objbase.h
    termios.h unistd.h fcntl.h poll.h pthread.h dirent.h sys/ cups/ libserialport.h io.h
    direct.h)
# The platform macros a compiler defines; platform code goes in win32/ or
# posix/ behind a seam instead.
set(platform_macro_regex "^[ \t]*#[ \t]*(if|ifdef|ifndef|elif)[ \t].*(_WIN32|_WIN64|__MINGW|_MSC_VER|__linux__|__unix__|__APPLE__)")
set(failures "")
foreach(dir IN LISTS program_dirs)
    file(GLOB_RECURSE files ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h)
    list(FILTER files EXCLUDE REGEX "/(win32|posix)/")
    foreach(file IN LISTS files)
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            foreach(header IN LISTS os_headers)
                string(FIND "${line}" "<${header}" at_angle)
                string(FIND "${line}" "\"${header}" at_quote)
                if(NOT at_angle EQUAL -1 OR NOT at_quote EQUAL -1)
                    string(APPEND failures "${file}: ${line}\n")
                endif()
            endforeach()
        endforeach()
        file(STRINGS ${file} platform_choices REGEX "${platform_macro_regex}")
        foreach(line IN LISTS platform_choices)
            string(APPEND failures "${file}: ${line}\n")
        endforeach()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "Portable sources include OS headers or test platform macros:\n${failures}")
endif()
message(STATUS "portable sources are free of OS headers and platform tests")
