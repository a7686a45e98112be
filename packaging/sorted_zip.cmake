# Run by cpack after each package is made: the zip is made again with zip -X from the same staged files.
# CPack's own zip lists the files in the file system's order and records the builder's user and group; this
# one lists them sorted, without owners, extra times or folder entries, and with the times in UTC.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
find_program(zip_program zip)
if(NOT zip_program)
    message(STATUS "zip not found: CPack's zip is kept, which depends on who builds it and where")
    return()
endif()
file(GLOB_RECURSE entries RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
foreach(package ${CPACK_PACKAGE_FILES})
    file(REMOVE ${package})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${zip_program} -X -D -q -9 ${package} ${entries}
        WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
