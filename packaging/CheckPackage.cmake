# Builds the package into a scratch folder and checks it as Debian would:
# cmake -DBUILD_DIR=... -DSCRATCH=... -DLINTIAN=... -P CheckPackage.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB -B ${SCRATCH}
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE failed OUTPUT_QUIET)
file(GLOB package ${SCRATCH}/qntcalc_*.deb)
if(failed OR NOT package)
    message(FATAL_ERROR "cpack made no package")
endif()

execute_process(COMMAND dpkg-deb -c ${package} OUTPUT_VARIABLE contents)
foreach(wanted usr/bin/QntCalc usr/bin/qntcalc-cli usr/share/man/man1/QntCalc.1.gz
        usr/share/man/man1/qntcalc-cli.1.gz usr/share/qntcalc/QntCalc.hlp
        usr/share/applications/qntcalc.desktop usr/share/doc/qntcalc/copyright)
    if(NOT contents MATCHES "\\./${wanted}\n")
        message(FATAL_ERROR "The package lacks ${wanted}")
    endif()
endforeach()

execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${package} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "lintian found errors or warnings")
endif()
