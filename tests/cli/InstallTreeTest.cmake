# Installs the build into WORK_DIR and checks what the desktop needs there.
# Run by CTest: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P this file.
cmake_minimum_required(VERSION 3.25)

function(fail message)
    message(FATAL_ERROR "installed tree: ${message}")
endfunction()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        fail("`${ARGN}` failed (${rc}): ${out}${err}")
    endif()
    set(RUN_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/usr)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(share ${prefix}/share)
foreach(f bin/morvet bin/morvet-tool share/applications/morvet.desktop
        share/mime/packages/morvet.xml share/icons/hicolor/scalable/apps/morvet.svg
        share/icons/hicolor/scalable/mimetypes/application-x-morvet-object.svg)
    if(NOT EXISTS ${prefix}/${f})
        fail("${f} is missing")
    endif()
endforeach()

find_program(VALIDATE desktop-file-validate REQUIRED)
run(${VALIDATE} ${share}/applications/morvet.desktop)
file(STRINGS ${share}/applications/morvet.desktop entry)
foreach(line "Exec=morvet %f" "Icon=morvet" "MimeType=application/x-morvet-object;")
    if(NOT line IN_LIST entry)
        fail("the desktop entry lacks \"${line}\"")
    endif()
endforeach()

# The MIME database built from the installed package maps *.vrk to our type
# with its name, and the desktop database names Morvet as its handler.
find_program(UPDATE_MIME update-mime-database REQUIRED)
run(${UPDATE_MIME} ${share}/mime)
file(READ ${share}/mime/globs2 globs)
if(NOT globs MATCHES "application/x-morvet-object:\\*\\.vrk")
    fail("*.vrk is not mapped to application/x-morvet-object")
endif()
file(READ ${share}/mime/application/x-morvet-object.xml type)
if(NOT type MATCHES "<comment>Morvet object</comment>")
    fail("the MIME type is not called \"Morvet object\"")
endif()
find_program(UPDATE_DESKTOP update-desktop-database REQUIRED)
run(${UPDATE_DESKTOP} ${share}/applications)
file(READ ${share}/applications/mimeinfo.cache cache)
if(NOT cache MATCHES "application/x-morvet-object=morvet.desktop")
    fail("morvet.desktop is not registered for application/x-morvet-object")
endif()

# The installed tool runs from its new place.
run(${prefix}/bin/morvet-tool check ${SOURCE_DIR}/fuzz/corpus/filled-circle.vrk)
file(REMOVE_RECURSE ${WORK_DIR})
