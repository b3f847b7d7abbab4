# Makes the report of PROJECT with QntCalc --report and no display, reads
# the PDF back with PDFTOTEXT and checks it against qntcalc-cli (CLI) and
# sha256sum; then the exit statuses 1 and 2, and that a report never
# replaces what is not a regular file, nor the project it is made from.
#
#   cmake -DPROGRAM=... -DCLI=... -DPDFTOTEXT=... -DPROJECT=... -DWORK_DIR=... [-DLOCALE=...]
#         -P ReportPdf.cmake
#
# With LOCALE, QntCalc runs under that locale (LC_ALL), and its numbers must
# read as under any other; without the locale the test is skipped.

set(env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
file(MAKE_DIRECTORY ${WORK_DIR})
set(pdf ${WORK_DIR}/report-test.pdf)
if(LOCALE)
    execute_process(COMMAND locale -a OUTPUT_VARIABLE installed)
    string(TOLOWER "${installed}" installed)
    string(TOLOWER "${LOCALE}" wanted)
    string(REPLACE "utf-8" "utf-?8" wanted "${wanted}")
    string(REPLACE "." "\\." wanted "${wanted}")
    if(NOT installed MATCHES "(^|\n)${wanted}(\n|$)")
        message("SKIPPED: the locale ${LOCALE} is not installed; run scripts/deps.sh as root "
                "to generate it")
        return()
    endif()
    list(APPEND env LC_ALL=${LOCALE})
    set(pdf ${WORK_DIR}/report-test-${LOCALE}.pdf)
endif()
file(REMOVE ${pdf})

function(report expected_status)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} ${ARGN}
                    WORKING_DIRECTORY ${WORK_DIR}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    if(NOT status STREQUAL expected_status OR NOT out STREQUAL "")
        message(FATAL_ERROR "${ARGN}: status ${status}, expected ${expected_status}\n"
                            "stdout: ${out}\nstderr: ${err}")
    endif()
    if(expected_status STREQUAL "2" AND err STREQUAL "")
        message(FATAL_ERROR "${ARGN}: status 2 without a message")
    endif()
    if(NOT expected_status STREQUAL "2" AND NOT err STREQUAL "")
        message(FATAL_ERROR "${ARGN}: printed ${err}")
    endif()
endfunction()

function(expect text what)
    string(FIND "${flat}" "${what}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the report lacks \"${what}\":\n${flat}")
    endif()
endfunction()

# The PDF's text on one line, single spaces: table cells and wrapped
# sentences read alike; the pages' feet apart, in `feet`.
function(read_flat)
    execute_process(COMMAND ${PDFTOTEXT} -layout ${pdf} - OUTPUT_VARIABLE text
                    RESULT_VARIABLE read)
    if(NOT read EQUAL 0)
        message(FATAL_ERROR "pdftotext could not read the report")
    endif()
    string(ASCII 12 form_feed)
    string(REPLACE "${form_feed}" "" text "${text}")
    # Each page's line at its foot, kept apart so a sentence reads across it.
    string(REGEX MATCHALL "[^\n]* - page [0-9]+ of [0-9]+" feet "${text}")
    string(REGEX REPLACE "[^\n]* - page [0-9]+ of [0-9]+[^\n]*\n" "" text "${text}")
    string(REGEX REPLACE "[ \t\r\n]+" " " flat "${text}")
    set(flat "${flat}" PARENT_SCOPE)
    set(feet "${feet}" PARENT_SCOPE)
endfunction()

report(0 --report ${pdf} ${PROJECT})
read_flat()

execute_process(COMMAND sha256sum ${PROJECT} OUTPUT_VARIABLE sum)
string(SUBSTRING "${sum}" 0 64 sha)
expect(flat "SHA-256 of the project file: ${sha}")
# Every page names the project, the start of its hash and its place.
string(SUBSTRING "${sha}" 0 12 short)
list(LENGTH feet pages)
if(pages LESS 2)
    message(FATAL_ERROR "a report of ${pages} pages:\n${text}")
endif()
foreach(page RANGE 1 ${pages})
    math(EXPR at "${page} - 1")
    list(GET feet ${at} foot)
    string(STRIP "${foot}" foot)
    if(NOT foot STREQUAL "Assembly hall 2 - SHA-256 ${short} - page ${page} of ${pages}")
        message(FATAL_ERROR "page ${page} ends with \"${foot}\"")
    endif()
endforeach()
expect(flat "Prepared by Checked by Date Signature")
expect(flat "Calculation report: Assembly hall 2")
expect(flat "Project file: ${PROJECT}")

# Every result as qntcalc-cli computes it, in its row.
execute_process(COMMAND ${CLI} --json ${PROJECT} OUTPUT_VARIABLE json)
foreach(row "Worst case reaction time|Rmax" "Alarm reaction time|Alarm" "Event timeout|ETO"
            "Cycle timeout|CTO" "Vesk cycle time|CVesk")
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 label)
    list(GET row 1 key)
    string(JSON value GET "${json}" fields ${key})
    expect(flat "${label} ${value} t [ms]")
endforeach()
expect(flat "Cycle time of cyclic inputs can shrink from 50 ms to 15 ms; at 14 ms the status bar shows \"The cycle time of cyclic inputs is too fast!\"")
expect(flat "What-if: Cycle time of cyclic inputs")
# Margins in percent, as every number of the program reads whatever the locale.
expect(flat "(70.0%)")
expect(flat "(1,900.0%)")

# A requirement 1 ms below the worst case reaction time breaks it.
string(JSON rmax GET "${json}" fields Rmax)
math(EXPR below "${rmax} - 1")
report(1 --report ${pdf} ${PROJECT} --require-rmax ${below})
# Failing 100 ms: the single changes that meet, a shorter main path among them.
report(1 --report ${pdf} ${PROJECT} --require-rmax 100)
read_flat()
expect(flat "How to meet the requirements")
expect(flat "Shorten the main path from 180 m to 100 m (-44.4%): the rate rises to 500 kBits/s and the worst case reaction time becomes 60 ms.")
# The project's own requirements and kept inputs, saved by qntcalc-cli: a
# report without options judges by them and offers no fix of a kept input;
# --keep replaces them for one run.
set(kept ${WORK_DIR}/kept-project.ini)
file(REMOVE ${kept})
execute_process(COMMAND ${CLI} ${PROJECT} --require-rmax 100 --keep Mainpath --save ${kept}
                OUTPUT_QUIET ERROR_QUIET)
report(1 --report ${pdf} ${kept})
read_flat()
expect(flat "Required: worst case reaction time at most 100 ms.")
expect(flat "Kept as they are: Main path.")
expect(flat "Reduce the number of I/O devices from 24 to 22 (-8.3%): the worst case reaction time becomes 84 ms.")
string(FIND "${flat}" "Shorten the main path" fixed)
if(NOT fixed EQUAL -1)
    message(FATAL_ERROR "a fix of the kept main path:\n${flat}")
endif()
report(1 --report ${pdf} ${kept} --keep=NumIOD)
read_flat()
expect(flat "Shorten the main path from 180 m to 100 m")
file(REMOVE ${kept})
report(0 --report=${pdf} --require-rmax=${rmax} --whatif Mainpath -- ${PROJECT})
file(REMOVE ${pdf})
report(2 --report ${pdf} ${WORK_DIR}/no-such-project.ini)
report(2 --report ${pdf} ${PROJECT} --require-rmax fast)
report(2 --report ${pdf} ${PROJECT} --require-rmax 0)
report(2 --report ${pdf} ${PROJECT} --whatif NoSuchInput)
report(2 --report ${pdf})
if(EXISTS ${pdf})
    message(FATAL_ERROR "a failed run wrote ${pdf}")
endif()

# What is not a regular file, and the project itself under any of its
# names, are never replaced by a report.
function(refused out reason)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} --report ${out} ${ARGN}
                    WORKING_DIRECTORY ${WORK_DIR}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out_text ERROR_VARIABLE err TIMEOUT 120)
    if(NOT status STREQUAL "2" OR NOT err STREQUAL "QntCalc: Cannot write \"${out}\": ${reason}\n")
        message(FATAL_ERROR "--report ${out} ${ARGN}: status ${status}, expected 2 and "
                            "\"${reason}\"\nstderr: ${err}")
    endif()
endfunction()

set(own ${WORK_DIR}/report-own)
file(REMOVE_RECURSE ${own})
file(MAKE_DIRECTORY ${own})
execute_process(COMMAND mkfifo ${own}/fifo.pdf RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "no FIFO for the test")
endif()
file(COPY_FILE ${PROJECT} ${own}/same.ini)
file(CREATE_LINK same.ini ${own}/soft.pdf SYMBOLIC)
file(CREATE_LINK ${own}/same.ini ${own}/hard.pdf)
file(SHA256 ${own}/same.ini before)

refused(${own}/fifo.pdf "Not a regular file" ${PROJECT})
foreach(name same.ini soft.pdf hard.pdf)
    refused(${own}/${name} "It is the project file the report is made from" ${own}/same.ini)
endforeach()
execute_process(COMMAND test -p ${own}/fifo.pdf RESULT_VARIABLE fifo)
file(SHA256 ${own}/same.ini after)
if(NOT fifo EQUAL 0 OR NOT IS_SYMLINK ${own}/soft.pdf OR NOT before STREQUAL after)
    message(FATAL_ERROR "a refused report replaced what it was refused")
endif()
file(REMOVE_RECURSE ${own})
