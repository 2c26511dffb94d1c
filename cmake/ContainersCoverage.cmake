# Line and branch coverage of the library and the routines by the tests:
#   cmake --workflow --preset coverage                  # instrumented tests
#   cmake --build --preset coverage-report              # the report
# The report lists every line and branch left uncovered and fails below 99 %
# of lines or 90 % of branches. (gcovr replaces the file it writes, so its
# last report goes to the build tree: given /dev/null, it would replace the
# device with a file.) Left out of the branch count: branches that
# only a thrown exception or code the compiler knows to be unreachable could
# take, and those of assert() and contract-check lines, whose failing side
# stops the process and so can be taken only by a death test, whose child
# writes no coverage; for the same reason detail::Fail's body is marked as
# excluded in containers/src/Failure.cpp.
find_program(CONTAINERS_GCOVR gcovr REQUIRED)

# The coverage preset compiles and links everything with --coverage: inline
# code is counted where it is compiled, in the test binaries too. The report
# keeps only containers/ and demo/.
set(_containers_gcovr "${CONTAINERS_GCOVR}" --root "${PROJECT_SOURCE_DIR}" --object-directory "${CMAKE_BINARY_DIR}"
    --filter "${PROJECT_SOURCE_DIR}/containers/" --filter "${PROJECT_SOURCE_DIR}/demo/"
    --exclude-throw-branches --exclude-unreachable-branches
    --exclude-branches-by-pattern "^[ \t]*(assert|CONTAINERS_CHECK_[A-Z]+)\\("
    "${CMAKE_BINARY_DIR}")
add_custom_target(coverage
    COMMAND ${_containers_gcovr} --txt -
    COMMAND ${_containers_gcovr} --branches --txt -
    COMMAND ${_containers_gcovr} --print-summary --fail-under-line 99 --fail-under-branch 90
        --txt "${CMAKE_BINARY_DIR}/coverage-summary.txt"
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
    COMMENT "Coverage of containers/ and demo/ by the tests"
    VERBATIM)
