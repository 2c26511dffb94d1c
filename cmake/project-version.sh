#!/bin/sh
# Prints the version that project() in CMakeLists.txt declares, for the
# scripts that name package files.
sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
