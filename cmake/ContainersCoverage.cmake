# Coverage of containers/ and demo/ by the tests, failing below 99 % of lines or
# 90 % of branches, without branches that only exceptions, unreachable code or a
# death test's child (assert and contract checks, no coverage written) take.
find_program(CONTAINERS_GCOVR gcovr REQUIRED)
set(gcovr "${CONTAINERS_GCOVR}" --root "${PROJECT_SOURCE_DIR}" --object-directory "${CMAKE_BINARY_DIR}"
    --filter "${PROJECT_SOURCE_DIR}/containers/" --filter "${PROJECT_SOURCE_DIR}/demo/"
    --exclude-throw-branches --exclude-unreachable-branches
    --exclude-branches-by-pattern "^[ \t]*(assert|CONTAINERS_CHECK_[A-Z]+)\\(" "${CMAKE_BINARY_DIR}")
add_custom_target(coverage
    COMMAND ${gcovr} --txt -
    COMMAND ${gcovr} --print-summary --fail-under-line 99 --fail-under-branch 90 --txt coverage-summary.txt
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}" COMMENT "Coverage of containers/ and demo/ by the tests" VERBATIM)
