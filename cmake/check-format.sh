#!/bin/sh
# Checks that every C++ file in the tree is formatted as .clang-format says,
# naming each place that is not; CI runs the same. Needs git and clang-format.
#   cmake/check-format.sh
set -eu
cd "$(dirname "$0")/.."
git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror
echo "formatting: $(git ls-files '*.h' '*.cpp' | wc -l) files as .clang-format says"
