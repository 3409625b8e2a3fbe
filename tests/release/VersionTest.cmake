# project(VERSION) is the one version: both programs print it, the newest
# changelog entry carries it, and the metainfo lists every entry as a release.
# Run by CTest: cmake -DSOURCE_DIR= -DBUILD_DIR= -DVERSION= -DMORVET= -DMORVET_TOOL= -P this file.
cmake_minimum_required(VERSION 3.25)

function(expect_output expected)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL expected OR NOT err STREQUAL "")
        message(FATAL_ERROR "`${ARGN}` exited ${rc} with \"${out}\" (stderr \"${err}\"); "
                            "expected \"${expected}\" and status 0")
    endif()
endfunction()

expect_output("morvet ${VERSION}\n" ${MORVET} --version)
expect_output("morvet ${VERSION}\n" ${MORVET} -v)
expect_output("morvet-tool ${VERSION}\n" ${MORVET_TOOL} --version)

# Debian's own parser reads the changelog; every entry is a release of the
# metainfo, newest first, with its date.
set(changelog ${SOURCE_DIR}/packaging/changelog)
execute_process(COMMAND dpkg-parsechangelog -l ${changelog} --all --format rfc822
    RESULT_VARIABLE rc OUTPUT_VARIABLE entries ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-parsechangelog cannot read packaging/changelog: ${err}")
endif()
string(REGEX MATCHALL "\nVersion: [^\n]+|\nTimestamp: [0-9]+" fields "\n${entries}")
set(expected "")
foreach(field IN LISTS fields)
    if(field MATCHES "Version: (.+)")
        set(version ${CMAKE_MATCH_1})
    elseif(field MATCHES "Timestamp: (.+)")
        execute_process(COMMAND date -u -d @${CMAKE_MATCH_1} +%F OUTPUT_VARIABLE date
            OUTPUT_STRIP_TRAILING_WHITESPACE)
        list(APPEND expected "${version} ${date}")
    endif()
endforeach()
list(GET expected 0 newest)
string(REGEX REPLACE " .*" "" newest "${newest}")
if(NOT newest STREQUAL VERSION)
    message(FATAL_ERROR "the newest entry of packaging/changelog is ${newest}, the project is "
                        "${VERSION}: add an entry for ${VERSION}")
endif()

file(READ ${BUILD_DIR}/packaging/org.morvet.morvet.metainfo.xml metainfo)
string(REGEX MATCHALL "<release version=\"[^\"]*\" date=\"[^\"]*\"" tags "${metainfo}")
set(releases "")
foreach(tag IN LISTS tags)
    string(REGEX REPLACE "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" "\\1 \\2" tag "${tag}")
    list(APPEND releases "${tag}")
endforeach()
if(NOT releases STREQUAL expected)
    message(FATAL_ERROR "the metainfo's releases are \"${releases}\", the changelog's \"${expected}\"")
endif()
