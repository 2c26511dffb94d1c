# Runs a command under valgrind's memcheck and requires no error of any kind,
# leaks included, and every heap block freed by the end.
#   cmake -DVALGRIND=... -DPROGRAM=... [-DARGS=...] -P Valgrind.cmake
execute_process(
    COMMAND "${VALGRIND}" --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=all
            --error-exitcode=1 "${PROGRAM}" ${ARGS}
    OUTPUT_QUIET
    ERROR_VARIABLE report
    RESULT_VARIABLE status)
string(REGEX MATCH "ERROR SUMMARY: [^\n]*" errors "${report}")
string(REGEX MATCH "total heap usage: [^\n]*" usage "${report}")
message(STATUS "${errors}")
message(STATUS "${usage}")
if(NOT status STREQUAL "0" OR NOT report MATCHES "All heap blocks were freed")
    message(FATAL_ERROR "valgrind found a problem (exit status ${status}):\n${report}")
endif()
