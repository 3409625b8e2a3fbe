# Each folder of the program is a layer: an object library. A program links
# the objects of every layer it uses itself, so two definitions of one symbol
# in any of them stop the link; a static library would hand the linker only
# the first it finds and drop the other without a word.
#
# CMake passes an object library's objects only to the targets that link it
# directly, so a layer records the layers below it and morvet_link_layers
# links the whole closure into the program.

# morvet_layer(<name> SOURCES <file>... [LAYERS <layer below>...])
function(morvet_layer name)
    cmake_parse_arguments(arg "" "" "SOURCES;LAYERS" ${ARGN})
    add_library(${name} OBJECT ${arg_SOURCES})
    set_property(TARGET ${name} PROPERTY MORVET_LAYERS ${arg_LAYERS})
    # The layers below give their include paths and libraries, not objects.
    target_link_libraries(${name} PUBLIC ${arg_LAYERS})
endfunction()

# morvet_link_layers(<program> <layer or other library>...): links the
# objects of the named layers and of every layer below them into the program;
# other items are linked as they are.
function(morvet_link_layers target)
    set(pending ${ARGN})
    set(items "")
    while(pending)
        list(POP_FRONT pending item)
        if(item IN_LIST items)
            continue()
        endif()
        list(APPEND items ${item})
        if(TARGET ${item})
            get_target_property(below ${item} MORVET_LAYERS)
            if(below)
                list(APPEND pending ${below})
            endif()
        endif()
    endwhile()
    target_link_libraries(${target} PRIVATE ${items})
endfunction()
