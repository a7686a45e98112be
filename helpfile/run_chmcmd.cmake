# cmake -DCHMCMD=... [-DFIXED_CLOCK=...] -DSOURCE_DIR=... -P run_chmcmd.cmake, in the folder holding
# Talvorine.hhp and its pages: compiles Talvorine.chm with chmcmd, its clock stopped at the time of the
# last commit that changed the help's sources, so that the same sources give the same file.
include(${SOURCE_DIR}/../cmake/source_date.cmake)
talvorine_source_date(seconds ${SOURCE_DIR} .)

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
