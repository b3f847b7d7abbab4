# The program's own version information, embedded into executables as a
# VS_VERSIONINFO block that VerInfo reads back from the file.
#
#   qntcalc_embed_version_info(<target>)
#
# The numbers come from the top-level project(VERSION); the texts are what the
# About box, the print sheet and project files show.
include_guard(GLOBAL)

set(QNTCALC_MAKER_NAME "The QntCalc project" CACHE STRING
    "Maker's name, shown as CompanyName and LegalCopyright")

# The name the About box, the print sheet and project files show.
set(QNTCALC_PRODUCT_NAME "Qnt Calculator")

# The version as four dotted numbers, such as 1.3.2.1.
function(qntcalc_version_number out)
    string(REPLACE "." ";" parts "${CMAKE_PROJECT_VERSION}")
    list(APPEND parts 0 0 0 0)
    list(SUBLIST parts 0 4 parts)
    list(JOIN parts "." number)
    set(${out} ${number} PARENT_SCOPE)
endfunction()

# The array's name, global so that every directory's call sees it.
set_property(GLOBAL PROPERTY QNTCALC_VERSION_SYMBOL qntcalc_version_info)

# Defines the object library qntcalc_version_block from the generator tool.
function(qntcalc_add_version_block generator)
    qntcalc_version_number(number)
    string(REPLACE "." ";" parts "${number}")
    list(GET parts 0 major)
    list(GET parts 1 minor)

    get_property(symbol GLOBAL PROPERTY QNTCALC_VERSION_SYMBOL)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/QntCalcVersionInfo.cpp)
    add_custom_command(OUTPUT ${source}
        COMMAND ${generator} ${source} ${symbol} ${number} ${number} 0409 04E4
            "CompanyName=${QNTCALC_MAKER_NAME}"
            "FileDescription=Calculator for timing of Quarnet networks"
            "FileVersion=${number}"
            "InternalName=${QNTCALC_PRODUCT_NAME}"
            "LegalCopyright=${QNTCALC_MAKER_NAME}"
            "LegalTrademarks="
            "OriginalFilename=QntCalc.exe"
            "ProductName=${QNTCALC_PRODUCT_NAME}"
            "ProductVersion=${major}.${minor}"
            "Comments="
        DEPENDS ${generator} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        COMMENT "Generating the version-information block ${number}"
        VERBATIM)
    add_library(qntcalc_version_block OBJECT ${source})
endfunction()

function(qntcalc_embed_version_info target)
    get_property(symbol GLOBAL PROPERTY QNTCALC_VERSION_SYMBOL)
    target_link_libraries(${target} PRIVATE qntcalc_version_block)
    target_link_options(${target} PRIVATE "LINKER:--undefined=${symbol}")
endfunction()
