# SPDX-License-Identifier: GPL-3.0-or-later
# What an installation holds besides the two programs: the guide, the sample collection, the
# menu entry, the two file types and their icons, the software-centre description, the manual
# pages and the package's documentation. Every folder comes from GNUInstallDirs, so that any
# prefix works; the guide is found from the program's folder as ../share/tamblor.
include(GNUInstallDirs)
# Debian names the documentation folder after the package, which is lower case.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
    set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tamblor)
endif()
# Folders the install creates on its way are readable by all whatever the umask, as a
# package's must be.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TAMBLOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tamblor)
set(TAMBLOR_DESKTOP_SOURCES ${CMAKE_SOURCE_DIR}/resources/desktop)
set(TAMBLOR_GENERATED_DIR ${CMAKE_BINARY_DIR}/install-files)

foreach(program IN ITEMS tamblor tamblor-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(FILES ${TAMBLOR_GUIDE} DESTINATION ${TAMBLOR_DATA_DIR})
install(DIRECTORY ${TAMBLOR_GUIDE_PICTURES_DIR} DESTINATION ${TAMBLOR_DATA_DIR} OPTIONAL)

# The collection's lines name its index files relative to it, so disks/ keeps its place.
install(FILES ${CMAKE_SOURCE_DIR}/examples/Sample.col DESTINATION ${TAMBLOR_DATA_DIR}/examples)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/disks DESTINATION ${TAMBLOR_DATA_DIR}/examples
        FILES_MATCHING PATTERN "*.cdi")

install(FILES ${TAMBLOR_DESKTOP_SOURCES}/tamblor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAMBLOR_DESKTOP_SOURCES}/tamblor.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
configure_file(${TAMBLOR_DESKTOP_SOURCES}/tamblor.metainfo.xml
               ${TAMBLOR_GENERATED_DIR}/tamblor.metainfo.xml @ONLY)
install(FILES ${TAMBLOR_GENERATED_DIR}/tamblor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The application and file-type icons, in every size drawn; taken as a whole so that a new
# size needs no change here.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons OPTIONAL
        FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")

# Manual pages and the changelog are compressed, as Debian wants them: -n keeps the name and
# time out of the archive so that two builds give the same bytes.
find_program(TAMBLOR_GZIP gzip REQUIRED)
set(compressed_files "")
function(tamblor_compressed source name destination)
    configure_file(${source} ${TAMBLOR_GENERATED_DIR}/${name} @ONLY)
    set(output ${TAMBLOR_GENERATED_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${TAMBLOR_GZIP} -9 -n -k -f ${TAMBLOR_GENERATED_DIR}/${name}
        DEPENDS ${TAMBLOR_GENERATED_DIR}/${name}
        VERBATIM)
    install(FILES ${output} DESTINATION ${destination})
    set(compressed_files ${compressed_files} ${output} PARENT_SCOPE)
endfunction()
tamblor_compressed(${CMAKE_SOURCE_DIR}/resources/man/tamblor.1 tamblor.1
                   ${CMAKE_INSTALL_MANDIR}/man1)
tamblor_compressed(${CMAKE_SOURCE_DIR}/resources/man/tamblor-cli.1 tamblor-cli.1
                   ${CMAKE_INSTALL_MANDIR}/man1)
tamblor_compressed(${CMAKE_SOURCE_DIR}/resources/debian/changelog changelog
                   ${CMAKE_INSTALL_DOCDIR})
add_custom_target(tamblor_compressed_files ALL DEPENDS ${compressed_files})
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
