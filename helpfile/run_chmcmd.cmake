# cmake -DCHMCMD=... [-DFIXED_CLOCK=...] -DSOURCE_DIR=... -P run_chmcmd.cmake, in the folder holding
# Talvorine.hhp and its pages: compiles Talvorine.chm with chmcmd, its clock stopped at the time of the
# last commit that changed the help's sources, so that the same sources give the same file.
set(seconds $ENV{SOURCE_DATE_EPOCH})
if(NOT seconds MATCHES "^[0-9]+$")
    execute_process(COMMAND git log -1 --format=%ct -- .
        WORKING_DIRECTORY ${SOURCE_DIR}
        OUTPUT_VARIABLE seconds OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT seconds MATCHES "^[0-9]+$")
        set(seconds 1767225600)  # 2026-01-01, outside a git checkout
    endif()
endif()

set(command ${CHMCMD} --no-html-scan Talvorine.hhp)
if(FIXED_CLOCK)
    set(command ${FIXED_CLOCK} ${seconds} ${command})
endif()
file(REMOVE Talvorine.chm)
execute_process(COMMAND ${command} OUTPUT_FILE chmcmd.log ERROR_FILE chmcmd.log RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS Talvorine.chm)
    file(READ chmcmd.log log)
    message(FATAL_ERROR "chmcmd failed (${status}):\n${log}")
endif()
