# Lays out the installation source as the installer expects it: Ostrel.exe
# beside the CorelDRAW-side files, and the subfolder tarnik with the
# programs, and packs the folder as a zip beside it.
#   cmake -DOUT=DIR -DSOURCE_DIR=TOP -DOSTREL=EXE -DTARNIK=EXE -DANGLET=DLL
#         [-DMIRANDO=EXE] -P stage_installation.cmake
set(folder ${OUT}/Ostrel)
file(REMOVE_RECURSE ${folder} ${OUT}/Ostrel.zip)
file(MAKE_DIRECTORY ${folder}/tarnik)
file(COPY ${OSTREL} ${SOURCE_DIR}/installer/corel/TarnikExport.bas
     ${SOURCE_DIR}/installer/source/README.txt DESTINATION ${folder})
file(COPY ${TARNIK} ${ANGLET} ${SOURCE_DIR}/installer/source/tarnik.ini
     DESTINATION ${folder}/tarnik)
if(MIRANDO AND EXISTS ${MIRANDO})
    file(COPY ${MIRANDO} DESTINATION ${folder}/tarnik)
else()
    # The installer stops at this file ("file is bad,don't copy!") until it
    # is built.
    file(WRITE ${folder}/MISSING.txt "tarnik\\Mirando.exe\r\n")
    message(STATUS "installation source: tarnik\\Mirando.exe is not built yet (see MISSING.txt)")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/Ostrel.zip --format=zip Ostrel
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
    message(FATAL_ERROR "installation source: packing Ostrel.zip failed")
endif()
