# The compiler for those who cross-build Windows programs on Linux: a .deb and a .tar.gz of brcc32, its windres
# and rc names and its manual page, made by CPack from the host tree (`make package`). The sanitizers' build is
# not one to ship.
if(TALVORINE_SANITIZE)
    return()
endif()

include(GNUInstallDirs)
install(TARGETS brcc32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The windres and rc names in a folder of the package's own, so that the system's windres keeps its name; links
# relative to the folder, so that the tree works wherever it is unpacked.
foreach(name IN LISTS BRCC32_TOOL_NAMES)
    install(CODE "
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/brcc32/bin\")
        file(CREATE_LINK ../../../${CMAKE_INSTALL_BINDIR}/brcc32
             \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/brcc32/bin/${name}\" SYMBOLIC)")
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/brcc32/man/en/brcc32.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/brcc32/man/fr/brcc32.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)

# tools/build builds what the package holds; the rest of the tree (the portable libraries) is not in it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_NAME brcc32)
set(CPACK_PACKAGE_VERSION 1.0)
set(CPACK_PACKAGE_VENDOR "The Talvorine developers")
set(CPACK_PACKAGE_CONTACT "The Talvorine developers <talvorine@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Windows resource compiler (Borland, Microsoft rc and GNU windres dialects)")
set(CPACK_PACKAGE_DESCRIPTION "Compiles Windows resource scripts (.rc) into .res files or COFF objects for \
x86, x64 and ARM64. Its links under /usr/lib/brcc32/bin take the names MinGW builds look for \
(i686-w64-mingw32-windres, x86_64-w64-mingw32-windres, rc) without hiding the system's own.")
set(CPACK_PACKAGE_FILE_NAME brcc32-${CPACK_PACKAGE_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# Linked statically: it depends on no library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mingw-w64")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/per_generator_linux.cmake)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SET_DESTDIR OFF)
include(CPack)
