# ---- The Debian package of the Linux side (cpack -G DEB, or the "package" target) ----
# tarnik-cli, the plotter simulator, their manual pages, bash completion,
# a sample settings file and design, the guides, and the Inkscape
# extension. Debian's layout under /usr; the files a Debian package must
# carry (copyright, a compressed changelog) come from dist/debian.
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(tarnik_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarnik)
set(tarnik_dist ${CMAKE_SOURCE_DIR}/dist)

install(TARGETS tarnik-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# "plotter_sim" is too general a name for /usr/bin.
install(PROGRAMS $<TARGET_FILE:plotter_sim> DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME tarnik-plotter-sim)
# install(PROGRAMS) is not stripped with the targets: strip the renamed copy.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\"
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tarnik-plotter-sim\")
endif()")
install(FILES samples/tarnik.ini samples/sign.plt samples/sign.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/tarnik)
install(FILES ${tarnik_dist}/tarnik-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME tarnik-cli)
install(FILES ${tarnik_dist}/inkscape/tarnik_send.inx ${tarnik_dist}/inkscape/tarnik_send.py
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/inkscape/extensions)

# Manual pages and the changelog go in compressed, as Debian wants them
# (gzip -n: no name or time stamp, so the package is reproducible).
set(compressed ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${compressed})
foreach(page tarnik-cli.1 tarnik-plotter-sim.1 tarnik.ini.5)
    add_custom_command(OUTPUT ${compressed}/${page}.gz
                       COMMAND gzip -9n -c ${tarnik_dist}/${page} > ${compressed}/${page}.gz
                       DEPENDS ${tarnik_dist}/${page})
    list(APPEND compressed_files ${compressed}/${page}.gz)
    string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
    install(FILES ${compressed}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_command(OUTPUT ${compressed}/changelog.gz
                   COMMAND gzip -9n -c ${tarnik_dist}/debian/changelog > ${compressed}/changelog.gz
                   DEPENDS ${tarnik_dist}/debian/changelog)
list(APPEND compressed_files ${compressed}/changelog.gz)
add_custom_target(package_files ALL DEPENDS ${compressed_files})
install(FILES ${compressed}/changelog.gz ${tarnik_dist}/debian/copyright
        DESTINATION ${tarnik_doc_dir})
install(FILES README.md docs/guide.md docs/cli.md docs/protocol.md DESTINATION ${tarnik_doc_dir})
install(DIRECTORY docs/images DESTINATION ${tarnik_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarnik developers <tarnik@tarnik.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "job sender for vinyl cutting plotters")
# CPack indents these lines and marks the blank one as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tarnik-cli takes a design exported as an HPGL plot file, reworks every cut
path for the drag knife (point reduction, closing overcut, knife offset,
dashed cutting, registration-mark bands) and sends the job to a cutting
plotter on a serial line, a USB printer port or a CUPS queue, or saves it
to a file. It previews jobs as SVG and sets the mark sensor offset for
print-and-cut work.

The package also holds a plotter simulator on a pseudo-terminal, a sample
settings file and design, and an Inkscape extension that sends the
drawing to the cutter from Inkscape's Extensions menu.")
# The C++ runtime comes from dpkg-shlibdeps. libcups is loaded only when a
# job goes to a CUPS queue (sender/transport/posix/cups_library.cpp), so it
# is recommended, not required; Inkscape is only needed for its extension
# (its Python comes with it), bash-completion for the completion.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcups2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "inkscape (>= 1.0), bash-completion")
include(CPack)

# Once per suite: the sanitizer build would only package the same files again.
if(TARNIK_TESTS AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    # Builds the package from this build, unpacks it into a temporary root,
    # cuts the packaged sample with the packaged tarnik-cli and runs lintian.
    add_test(NAME debian_package
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/package_test.sh ${CMAKE_BINARY_DIR}
                     $<TARGET_FILE:tarnik-cli>)
    set_tests_properties(debian_package PROPERTIES TIMEOUT 300)
    # The package preset's build compiles only what the package ships.
    add_test(NAME package_build COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/package_build_test.sh)
    # Debian's Inkscape exports an SVG of ours with its HPGL output; the
    # extension's script sends the same drawing into the plotter simulator.
    add_test(NAME inkscape_route
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/inkscape_route_test.sh
                     $<TARGET_FILE:tarnik-cli> $<TARGET_FILE:plotter_sim>)
    set_tests_properties(inkscape_route PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
endif()
