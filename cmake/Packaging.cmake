# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation into the usual desktop places, and a Debian package built with CPack.
include(GNUInstallDirs)

set(TARVIMO_APP_ID org.tarvimo.Tarvimo)
set(TARVIMO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvimo)

install(TARGETS tarvimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Loaded by the program the first time it prints, opens a ride or keeps the diary (ui/windows/module_loader.cpp). A
# folder of their own below the library folder keeps them off the linker's path.
install(TARGETS tarvimo_print tarvimo_ride tarvimo_diary LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tarvimo)
# A stripped install also drops the compiler's ident strings, as Debian's own packages do.
install(CODE "set(tarvimo_binaries ${CMAKE_INSTALL_BINDIR}/tarvimo
                                   ${CMAKE_INSTALL_LIBDIR}/tarvimo/$<TARGET_FILE_NAME:tarvimo_print>
                                   ${CMAKE_INSTALL_LIBDIR}/tarvimo/$<TARGET_FILE_NAME:tarvimo_ride>
                                   ${CMAKE_INSTALL_LIBDIR}/tarvimo/$<TARGET_FILE_NAME:tarvimo_diary>)")
install(CODE [[
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(binary IN LISTS tarvimo_binaries)
            execute_process(COMMAND objcopy --remove-section=.comment --remove-section=.note
                                    "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${binary}"
                            COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()
]])
install(FILES assets/${TARVIMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/${TARVIMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# TCX and FIT for "Apri con"; shared-mime-info's trigger rebuilds the database on installation.
install(FILES assets/${TARVIMO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TARVIMO_APP_ID}.xml)
install(DIRECTORY assets/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The manual pages and the changelog go in compressed, the way Debian installs them; gzip -n keeps
# the file name and date out, so two builds give the same bytes.
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
configure_file(packaging/copyright.in ${packaging_out}/copyright @ONLY)
set(compressed)
foreach(pair "changelog.in;changelog" "tarvimo.1.in;man/tarvimo.1" "tarvimo.it.1.in;man/it/tarvimo.1")
    list(GET pair 0 source)
    list(GET pair 1 target)
    configure_file(packaging/${source} ${packaging_out}/${target} @ONLY)
    add_custom_command(OUTPUT ${packaging_out}/${target}.gz
                       COMMAND gzip -9 -n -c ${packaging_out}/${target} > ${packaging_out}/${target}.gz
                       DEPENDS ${packaging_out}/${target}
                       VERBATIM)
    list(APPEND compressed ${packaging_out}/${target}.gz)
endforeach()
add_custom_target(tarvimo_packaging_files ALL DEPENDS ${compressed})

install(FILES ${packaging_out}/copyright ${packaging_out}/changelog.gz DESTINATION ${TARVIMO_DOC_DIR})
install(FILES ${packaging_out}/man/tarvimo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_out}/man/it/tarvimo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/it/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvimo)
set(CPACK_PACKAGE_VENDOR Tarvimo)
set(CPACK_PACKAGE_CONTACT "${TARVIMO_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarvimo <${TARVIMO_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calcolatore della potenza di un ciclista in salita")
# Lines of the long description stay well within 80 columns.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvimo calcola la potenza sviluppata da un ciclista su una salita\n"
    "cronometrata: contro l'aria, gli attriti e la gravità, i watt per chilo,\n"
    "la pendenza, la velocità, la VAM, la cadenza, la coppia e la forza\n"
    "massima sul pedale.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its windowing plugins and the diary's SQLite driver at run time, where dpkg-shlibdeps
# cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-comic-neue, qt6-translations-l10n, gpsbabel")
set(CPACK_STRIP_FILES ON)
include(CPack)
