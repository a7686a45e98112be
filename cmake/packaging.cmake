# What a Windows user downloads: a zip to unpack anywhere and a French installer, both made by CPack from
# the install rules below (`cpack` in the cross tree, or `make package` on Debian).
if(NOT WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/packaging_linux.cmake)
    return()
endif()

set(TALVORINE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# The text travels with the programs: dist/ gets it too, so that a folder copied by hand holds what the
# packages hold.
configure_file(${TALVORINE_PACKAGING_DIR}/LISEZMOI.txt ${TALVORINE_DIST_DIR}/LISEZMOI.txt COPYONLY)

# The linker stamps a program with the time it linked it unless told not to: two builds of the same
# sources would ship two different programs.
target_link_options(Talvorine PRIVATE -Wl,--no-insert-timestamp)
target_link_options(brcc32 PRIVATE -Wl,--no-insert-timestamp)
# A user's machine has no use for the symbols: they more than half again the compiler's size.
target_link_options(brcc32 PRIVATE -s)

# Everything lies flat in one folder: Compile finds brcc32.exe beside Talvorine.exe, Help the .chm.
install(TARGETS Talvorine brcc32 RUNTIME DESTINATION .)
install(FILES ${TALVORINE_DIST_DIR}/LISEZMOI.txt DESTINATION .)
if(TARGET help_file)
    install(FILES ${TALVORINE_DIST_DIR}/Talvorine.chm DESTINATION .)
else()
    message(WARNING "No help file (chmcmd is missing): the packages would ship without Talvorine.chm")
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Talvorine)
set(CPACK_PACKAGE_VERSION_MAJOR 1)
set(CPACK_PACKAGE_VERSION_MINOR 0)
set(CPACK_PACKAGE_VERSION ${CPACK_PACKAGE_VERSION_MAJOR}.${CPACK_PACKAGE_VERSION_MINOR})
# The holder named in the About box's notice.
set(CPACK_PACKAGE_VENDOR "les développeurs de Talvorine")
set(CPACK_TALVORINE_COPYRIGHT "© 2026 ${CPACK_PACKAGE_VENDOR}")
# The zip's one folder; per_package.cmake names each package file after it.
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION})
set(CPACK_PROJECT_CONFIG_FILE ${TALVORINE_PACKAGING_DIR}/per_package.cmake)
set(CPACK_TALVORINE_SOURCE_DIR ${CMAKE_SOURCE_DIR})
# The same sources give the same packages.
set(CPACK_PRE_BUILD_SCRIPTS ${TALVORINE_PACKAGING_DIR}/fixed_times.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${TALVORINE_PACKAGING_DIR}/sorted_zip.cmake)

# The installer: our own NSIS template (French only, the Start-menu folder and the uninstall key as below).
set(CPACK_MODULE_PATH ${TALVORINE_PACKAGING_DIR})
set(CPACK_NSIS_PACKAGE_NAME "Talvorine ${CPACK_PACKAGE_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "Talvorine ${CPACK_PACKAGE_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Talvorine)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Talvorine)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_TALVORINE_STARTMENU_FOLDER Talvorine)
set(CPACK_NSIS_MENU_LINKS
    Talvorine.exe "Talvorine ${CPACK_PACKAGE_VERSION}"
    Talvorine.chm "Aide de Talvorine")
# MAINICON is the program's first icon group: index 0.
set(CPACK_NSIS_INSTALLED_ICON_NAME "Talvorine.exe,0")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/mainicon.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/mainicon.ico)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_TALVORINE_UNINSTALL_NOTICE
    "Seuls les fichiers que l'installation a copiés sont supprimés. Les fichiers que vous avez ajoutés \
au dossier, comme le journal HHDebug.txt, y restent, et le dossier avec eux.")

include(CPack)

if(TALVORINE_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/package ${CMAKE_BINARY_DIR}/tests/package)
endif()
