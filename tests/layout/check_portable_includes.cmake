# Fails when a portable source (a file directly in a subsystem folder, not in
# its win32/ or posix/ subfolder) includes an operating-system header.
set(portable_dirs sender/settings sender/app sender/pipeline sender/transport sender/controls serial
    markoffset installer)
set(os_headers windows.h winbase.h winuser.h winspool.h commctrl.h shellapi.h objbase.h
    termios.h unistd.h fcntl.h poll.h pthread.h dirent.h sys/ cups/ libserialport.h io.h
    direct.h)
set(failures "")
foreach(dir IN LISTS portable_dirs)
    file(GLOB files ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h)
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
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "Portable sources include OS headers:\n${failures}")
endif()
message(STATUS "portable sources are free of OS headers")
