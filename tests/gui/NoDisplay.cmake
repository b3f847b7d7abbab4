# Runs PROGRAM with no display (and QT_QPA_PLATFORM=PLATFORM when given, or
# DISPLAY=DISPLAY_NAME): it must write exactly the line EXPECTED to standard
# error, nothing to standard output, and exit with status 1.
set(env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
if(PLATFORM)
    list(APPEND env QT_QPA_PLATFORM=${PLATFORM})
endif()
if(DISPLAY_NAME)
    list(APPEND env DISPLAY=${DISPLAY_NAME})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM}
                WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 60)
if(NOT status STREQUAL "1" OR NOT out STREQUAL "" OR NOT err STREQUAL "${EXPECTED}\n")
    message(FATAL_ERROR "status ${status}, expected 1\nstdout: ${out}\n"
                        "stderr: ${err}\nexpected stderr: ${EXPECTED}")
endif()
