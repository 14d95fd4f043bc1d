# The Debian package of the program, built by CPack (`make package`, or `cpack` in the build
# folder after building the programs). Included from the top folder so that CPack sees these.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kombitron)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KOMBITRON")
set(KOMBITRON_MAINTAINER "Equipo de KOMBITRON <kombitron@example.org>" CACHE STRING
    "Maintainer of the Debian package, as \"Name <address>\"")
set(CPACK_PACKAGE_CONTACT "${KOMBITRON_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KOMBITRON_MAINTAINER}")
# Everything goes under the prefix the programs were built for: they look for their data there.
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
# Stripped by our own script: CPack's plain strip leaves the compiler's comment section.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/strip.cmake")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # kombitron_10.0_amd64.deb
# Not "games": Debian keeps that section for programs in /usr/games, and this one plays no game.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the executables themselves; what they load at run time does not:
# Qt's platform plugins, Qt's own Spanish texts (dialog buttons, file dialogs) and the icon
# theme the windows take their pictures from (with pictures of their own as a fallback).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, xdg-utils, ca-certificates")

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "combinations and reduced systems for PRIMITIVA and BONOLOTO")
# The summary above is the first line; then one paragraph per language, "." lines between them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "KOMBITRON is a desktop program for players of the Spanish 6/49 lotteries
PRIMITIVA and BONOLOTO. It generates every bet of a base of numbers,
conditions them with nineteen filters, reduces the survivors to a covering
system with a chosen guarantee, and saves configurations and bet files. It
also keeps a history of past draws with statistics, scrutinises bets
against draws with their prizes, and offers tools for bet files.
.
The package holds the desktop program, the command line kombitron-cli, the
results service kombitron-resultsd (started by systemd on 127.0.0.1:8049)
and real draw histories of both games.
.
KOMBITRON es un programa de escritorio para jugadores de la PRIMITIVA y la
BONOLOTO. Genera todas las apuestas de una base de números, las condiciona
con diecinueve filtros, reduce las que quedan a un sistema con la garantía
elegida y guarda configuraciones y ficheros de apuestas. Además lleva un
histórico de sorteos con estadísticas, escruta apuestas contra sorteos con
sus premios y ofrece herramientas para ficheros de apuestas.")

# The maintainer scripts enable and start the results service when systemd runs, and do
# nothing else elsewhere (a chroot, a container without systemd).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/packaging/debian/postinst"
    "${PROJECT_SOURCE_DIR}/packaging/debian/prerm"
    "${PROJECT_SOURCE_DIR}/packaging/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
