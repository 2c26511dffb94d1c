# The coverage target: line and branch coverage of containers/ and demo/ by the
# tests, with what is left uncovered, failing below 99 % of lines or 90 % of
# branches. Branches only an exception or unreachable code could take are not
# counted, nor those of assert() and contract-check lines, whose failing side
# only a death test's child takes, which writes no coverage. gcovr replaces the
# file it writes, so the last report goes to the build tree, not /dev/null.
find_program(CONTAINERS_GCOVR gcovr REQUIRED)
set(gcovr "${CONTAINERS_GCOVR}" --root "${PROJECT_SOURCE_DIR}" --object-directory "${CMAKE_BINARY_DIR}"
    --filter "${PROJECT_SOURCE_DIR}/containers/" --filter "${PROJECT_SOURCE_DIR}/demo/"
    --exclude-throw-branches --exclude-unreachable-branches
    --exclude-branches-by-pattern "^[ \t]*(assert|CONTAINERS_CHECK_[A-Z]+)\\(" "${CMAKE_BINARY_DIR}")
add_custom_target(coverage
    COMMAND ${gcovr} --txt -
    COMMAND ${gcovr} --branches --txt -
    COMMAND ${gcovr} --print-summary --fail-under-line 99 --fail-under-branch 90 --txt coverage-summary.txt
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}" COMMENT "Coverage of containers/ and demo/ by the tests" VERBATIM)
