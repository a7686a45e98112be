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

# The time of the last commit; a fixed one outside a git checkout. A time the caller set wins.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${CPACK_TALVORINE_SOURCE_DIR}
        OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
    if(NOT git_status EQUAL 0 OR NOT commit_time MATCHES "^[0-9]+$")
        set(commit_time 1767225600)  # 2026-01-01
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
endif()
