# Read by cpack once per package type, before it stages the files: each package file is named after the
# zip's folder, and one fixed time is chosen for everything written into the packages.
if(CPACK_GENERATOR STREQUAL "ZIP")
    # The folder inside is the install prefix, not CPack's own top folder, which takes the file's name.
    set(CPACK_PACKAGING_INSTALL_PREFIX /${CPACK_PACKAGE_FILE_NAME})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}-win32)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}-setup)
endif()

# One fixed time for everything written into the packages: the last commit's, unless the caller set one.
include(${CPACK_TALVORINE_SOURCE_DIR}/cmake/source_date.cmake)
talvorine_source_date(commit_time ${CPACK_TALVORINE_SOURCE_DIR})
set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
