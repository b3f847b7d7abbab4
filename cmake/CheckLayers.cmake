# Holds the include graph of the folders outside tests/ against the declared
# layer order (cmake/Layers.cmake): every include between folders runs
# down that order, and Qt headers are included only where the order allows
# them. Prints the graph, one folder a line from the top down with the
# folders it includes, as the README shows it, and fails on an upward
# include, a folder the order does not know, a stray Qt include, or a README
# whose graph differs.
#
#   cmake -DSOURCE_DIR=<top folder> -P cmake/CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<top folder> -P CheckLayers.cmake")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

file(GLOB tops LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(sources)
foreach(top IN LISTS tops)
    if(IS_DIRECTORY ${SOURCE_DIR}/${top} AND NOT top MATCHES "^(tests|build.*|\\..*)$")
        file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR}
             ${SOURCE_DIR}/${top}/*.h ${SOURCE_DIR}/${top}/*.cpp)
        list(APPEND sources ${found})
    endif()
endforeach()

# deps_<id>: the folders that folder <id> includes; ids have no slashes.
set(problems)
foreach(source IN LISTS sources)
    get_filename_component(folder ${source} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${folder}" id)
    list(FIND QNTCALC_LAYERS ${folder} level)
    if(level EQUAL -1)
        list(APPEND problems "${source}: its folder ${folder} has no place in cmake/Layers.cmake")
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "include[ \t]*\"(.+)/[^/]+\"")
            set(target ${CMAKE_MATCH_1})
            if(NOT target STREQUAL folder)
                list(APPEND deps_${id} ${target})
                list(FIND QNTCALC_LAYERS ${target} targetLevel)
                if(targetLevel EQUAL -1 OR targetLevel GREATER level)
                    list(APPEND problems "${source}: includes ${target}, which is not below ${folder}: ${line}")
                endif()
            endif()
        elseif(line MATCHES "include[ \t]*<Q" AND NOT folder MATCHES "${QNTCALC_QT_FOLDERS_REGEX}")
            list(APPEND problems "${source}: Qt outside a qt folder: ${line}")
        endif()
    endforeach()
endforeach()

set(graph "")
set(order ${QNTCALC_LAYERS})
list(REVERSE order)
foreach(folder IN LISTS order)
    string(MAKE_C_IDENTIFIER "${folder}" id)
    if(deps_${id})
        list(REMOVE_DUPLICATES deps_${id})
        list(SORT deps_${id})
        string(REPLACE ";" ", " shown "${deps_${id}}")
    else()
        set(shown "-")
    endif()
    string(LENGTH "${folder}" length)
    math(EXPR pad "12 - ${length}")
    string(REPEAT " " ${pad} spaces)
    string(APPEND graph "    ${folder}${spaces}${shown}\n")
endforeach()
message("Folder graph, from the top down:\n${graph}")

if(README)
    file(READ ${README} readme)
    string(FIND "${readme}" "${graph}" at)
    if(at EQUAL -1)
        list(APPEND problems "README's folder graph differs from the one above")
    endif()
endif()

if(problems)
    string(REPLACE ";" "\n" shown "${problems}")
    message(FATAL_ERROR "${shown}")
endif()
message("Every include runs down the layer order; Qt only where it may be.")
