# Installs the build into WORK_DIR and reads what a user and a software centre
# read there: the manual pages through man, the metainfo through appstreamcli.
# Run by CTest: cmake -DSOURCE_DIR= -DBUILD_DIR= -DWORK_DIR= -DMORVET= -DMORVET_TOOL= -P this file.
cmake_minimum_required(VERSION 3.25)

function(fail message)
    message(FATAL_ERROR "installed docs: ${message}")
endfunction()

# Runs a command that must succeed; its standard output lands in RUN_OUTPUT
# and its standard error in RUN_ERROR.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        fail("`${ARGN}` failed (${rc}): ${out}${err}")
    endif()
    set(RUN_OUTPUT "${out}" PARENT_SCOPE)
    set(RUN_ERROR "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/usr)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(doc ${prefix}/share/doc/morvet)
foreach(f ${doc}/copyright ${doc}/changelog.gz ${doc}/file-format.md.gz
        ${prefix}/share/metainfo/org.morvet.morvet.metainfo.xml)
    if(NOT EXISTS ${f})
        fail("${f} is missing")
    endif()
endforeach()

# Compressed files as Debian wants them (gzip -9n): no file name, no time
# stamp, maximum compression.
foreach(gz ${doc}/changelog.gz ${doc}/file-format.md.gz ${prefix}/share/man/man1/morvet.1.gz
        ${prefix}/share/man/man1/morvet-tool.1.gz)
    file(READ ${gz} header LIMIT 10 HEX)
    if(NOT header MATCHES "^1f8b0800000000000203$")
        fail("${gz} is not compressed with gzip -9n (header ${header})")
    endif()
endforeach()

# Each page renders without a warning from man or groff, and names every
# option and subcommand the program's own help lists.
function(render page)
    set(file ${prefix}/share/man/man1/${page}.1.gz)
    if(NOT EXISTS ${file})
        fail("${file} is missing")
    endif()
    run(${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8
        man --warnings -l ${file})
    if(NOT RUN_ERROR STREQUAL "")
        fail("man warns about ${page}(1):\n${RUN_ERROR}")
    endif()
    if(NOT RUN_OUTPUT MATCHES "\nNAME\n +${page} - " OR NOT RUN_OUTPUT MATCHES "\nEXIT STATUS\n"
       OR NOT RUN_OUTPUT MATCHES "\nFILES\n" OR NOT RUN_OUTPUT MATCHES "\nEXAMPLES\n")
        fail("${page}(1) lacks NAME, EXIT STATUS, FILES or EXAMPLES:\n${RUN_OUTPUT}")
    endif()
    set(PAGE_TEXT "${RUN_OUTPUT}" PARENT_SCOPE)
endfunction()

function(expect_options_in page help)
    string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
    list(REMOVE_DUPLICATES options)
    foreach(option IN LISTS options)
        string(FIND "${PAGE_TEXT}" "${option}" at)
        if(at LESS 0)
            fail("${page}(1) does not describe ${option}")
        endif()
    endforeach()
endfunction()

render(morvet)
run(${MORVET} --help)
expect_options_in(morvet "${RUN_OUTPUT}")

render(morvet-tool)
run(${MORVET_TOOL} --help)
set(tool_help "${RUN_OUTPUT}")
expect_options_in(morvet-tool "${tool_help}")
string(REGEX MATCHALL "\n  [a-z][a-z-]+ " commands "${tool_help}")
if(NOT commands)
    fail("morvet-tool --help lists no commands")
endif()
foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    # One subsection per subcommand, headed by its name.
    if(NOT PAGE_TEXT MATCHES "\n   ${command} ")
        fail("morvet-tool(1) has no section for the ${command} command")
    endif()
    run(${MORVET_TOOL} ${command} --help)
    expect_options_in(morvet-tool "${RUN_OUTPUT}")
endforeach()

# The metainfo, and with it the desktop entry it launches, as a software
# centre checks them; --strict fails on warnings as well as errors.
find_program(APPSTREAMCLI appstreamcli)
if(NOT APPSTREAMCLI)
    fail("appstreamcli is missing (Debian package appstream)")
endif()
run(${APPSTREAMCLI} validate --no-net --strict
    ${prefix}/share/metainfo/org.morvet.morvet.metainfo.xml)
run(${APPSTREAMCLI} validate-tree --no-net --strict ${WORK_DIR})
file(REMOVE_RECURSE ${WORK_DIR})
