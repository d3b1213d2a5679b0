# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation into the usual desktop places, and a Debian package built with CPack.
include(GNUInstallDirs)

set(TARVIMO_APP_ID org.tarvimo.Tarvimo)

install(TARGETS tarvimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Loaded by the program the first time it prints (ui/print_module.cpp).
install(TARGETS tarvimo_print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tarvimo)
install(FILES assets/${TARVIMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/${TARVIMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY assets/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvimo)
set(CPACK_PACKAGE_VENDOR Tarvimo)
set(CPACK_PACKAGE_CONTACT "${TARVIMO_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarvimo <${TARVIMO_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calcolatore della potenza di un ciclista in salita")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvimo calcola la potenza sviluppata da un ciclista su una salita cronometrata:\ncontro l'aria, gli attriti e la gravità, i watt per chilo, la pendenza, la\nvelocità, la VAM, la cadenza, la coppia e la forza massima sul pedale.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its windowing plugins at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-comic-neue, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
