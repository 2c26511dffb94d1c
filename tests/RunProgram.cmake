# Runs PROGRAM (through EMULATOR) with ARGS: it must exit with 0, write nothing
# to standard error and print exactly the file EXPECTED; without EXPECTED, it is
# a GoogleTest program that must list a test (a runner that runs nothing
# cannot make its tests vanish unseen).
if(NOT DEFINED EXPECTED)
    execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --gtest_list_tests
        OUTPUT_VARIABLE listed ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status STREQUAL "0" OR NOT listed MATCHES "\n  [A-Za-z_]")
        message(FATAL_ERROR "${PROGRAM} lists no test (exit status ${status})\n${listed}${errors}")
    endif()
    return()
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGS}
    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
if(PROGRAM MATCHES "\\.exe$")
    string(REPLACE "\r\n" "\n" actual "${actual}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT status STREQUAL "0")
    message(FATAL_ERROR "exit status ${status}, expected 0\n${errors}")
elseif(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs.\n--- expected\n${expected}--- actual\n${actual}---")
elseif(NOT errors STREQUAL "")
    message(FATAL_ERROR "unexpected output on standard error:\n${errors}")
endif()
