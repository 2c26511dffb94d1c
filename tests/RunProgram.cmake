# Runs PROGRAM (through EMULATOR, if set) with ARGS and checks that it exits
# with status 0 and prints exactly the contents of EXPECTED on standard output.
# On Windows the C runtime writes "\n" as "\r\n"; those CRs are dropped first.
execute_process(
    COMMAND ${EMULATOR} "${PROGRAM}" ${ARGS}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
    message(FATAL_ERROR "exit status ${status}, expected 0\n${errors}")
endif()
if(PROGRAM MATCHES "\\.exe$")
    string(REPLACE "\r\n" "\n" actual "${actual}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs.\n--- expected\n${expected}--- actual\n${actual}---")
endif()
if(NOT errors STREQUAL "")
    message(FATAL_ERROR "unexpected output on standard error:\n${errors}")
endif()
