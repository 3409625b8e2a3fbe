# Packs the tested build tree as a .deb with scripts/build-deb.sh and holds it
# to lintian: no error or warning, and none of the hardening tags
# that lintian otherwise only mentions.
# Run by CTest: cmake -DSOURCE_DIR= -DBUILD_DIR= -P this file.
cmake_minimum_required(VERSION 3.25)

find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message("SKIPPED: lintian is not installed (Debian package lintian)")
    return()
endif()

execute_process(COMMAND ${SOURCE_DIR}/scripts/build-deb.sh ${BUILD_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "building the package failed (${rc}):\n${out}${err}")
endif()
string(REGEX MATCH "[^\n]+\\.deb\n?$" deb "${out}")
string(STRIP "${deb}" deb)
message("package: ${deb}")

function(lintian)
    execute_process(COMMAND ${LINTIAN} ${ARGN} ${deb}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "`lintian ${ARGN}` failed (${rc}):\n${out}${err}")
    endif()
    message("lintian ${ARGN}: clean")
endfunction()

lintian(--fail-on error,warning)
lintian(--tags hardening-no-relro,hardening-no-bindnow,hardening-no-fortify-functions
        --fail-on info)
