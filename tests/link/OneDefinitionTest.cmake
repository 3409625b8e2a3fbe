# Builds a two-layer project with the program's own layer functions: once as
# it should be (it must build and run), once with a function defined in both
# layers (the link must fail). Static libraries would pass the second build,
# taking whichever definition the linker met first.
foreach(var SOURCE_DIR WORK_DIR CXX_COMPILER GENERATOR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not given")
    endif()
endforeach()

function(build_project name define_twice result_var output_var)
    set(dir ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${dir})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/link/project -B ${dir} -G ${GENERATOR}
                -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DMORVET_CMAKE_DIR=${SOURCE_DIR}/cmake
                -DDEFINE_TWICE=${define_twice}
        RESULT_VARIABLE configured OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT configured EQUAL 0)
        message(FATAL_ERROR "The ${name} project did not configure:\n${out}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${dir}
                    RESULT_VARIABLE built OUTPUT_VARIABLE out ERROR_VARIABLE out)
    set(${result_var} ${built} PARENT_SCOPE)
    set(${output_var} "${out}" PARENT_SCOPE)
endfunction()

build_project(once OFF built out)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "The layers with one definition each did not build:\n${out}")
endif()
execute_process(COMMAND ${WORK_DIR}/once/program RESULT_VARIABLE ran)
if(NOT ran EQUAL 0)
    message(FATAL_ERROR "The program built from the layers gave the wrong answer (${ran})")
endif()

build_project(twice ON built out)
if(built EQUAL 0)
    message(FATAL_ERROR "Two definitions of Twice() linked without an error: "
                        "the layers no longer hand every object to the linker")
endif()
if(NOT out MATCHES "multiple definition|duplicate symbol")
    message(FATAL_ERROR "The build failed, but not over the second definition:\n${out}")
endif()
