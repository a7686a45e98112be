# Run by cpack on the staged files, before it packs them: every file and folder gets the one time chosen in
# per_package.cmake. The installer keeps each file's time, and the build gives each its own: without this
# two builds of the same sources would make two different packages.
find_program(touch_program touch)
if(NOT touch_program)
    message(STATUS "touch not found: the packages carry the build's file times")
    return()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_DIRECTORY}/*)
execute_process(COMMAND ${touch_program} -h -d @$ENV{SOURCE_DATE_EPOCH} ${CPACK_TEMPORARY_DIRECTORY} ${staged}
    COMMAND_ERROR_IS_FATAL ANY)
