# Coverage of containers/ and demo/ by the tests, failing below 99 % of lines or
# 90 % of branches. Not counted: branches only an exception or unreachable code
# takes, and the failing side of assert() and contract checks, taken only in a
# death test's child, which writes no coverage.
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
