# talvorine_source_date(VAR FOLDER [PATH]): the time, in seconds since 1970, that the files built from FOLDER
# (or from its PATH only) carry: SOURCE_DATE_EPOCH when the caller set it, else the last commit that changed
# them, else a fixed time outside a git checkout. The same sources then always give the same bytes.
function(talvorine_source_date var folder)
    set(seconds $ENV{SOURCE_DATE_EPOCH})
    if(NOT seconds MATCHES "^[0-9]+$")
        execute_process(COMMAND git log -1 --format=%ct -- ${ARGN}
            WORKING_DIRECTORY ${folder}
            OUTPUT_VARIABLE seconds OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(NOT seconds MATCHES "^[0-9]+$")
            set(seconds 1767225600)  # 2026-01-01
        endif()
    endif()
    set(${var} ${seconds} PARENT_SCOPE)
endfunction()
