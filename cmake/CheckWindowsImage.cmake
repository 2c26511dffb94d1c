# Checks, without running it, that PROGRAM is a Windows console program with
# the optional header MAGIC (PE32 for 32-bit, PE32+ for 64-bit) that imports
# only DLLs every Windows has, so that it runs with nothing installed, and,
# given VERSION, whose version resource names it as file and product version.
#   cmake -DOBJDUMP=<mingw objdump> -DPROGRAM=<.exe> -DMAGIC=PE32 -DVERSION=x.y.z
#         -P CheckWindowsImage.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
    OUTPUT_VARIABLE headers ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}:\n${errors}")
endif()

string(REGEX MATCH "Magic[\t ]+[0-9a-f]+[\t ]+\\(([^)]*)\\)" _ "${headers}")
if(NOT CMAKE_MATCH_1 STREQUAL MAGIC)
    message(FATAL_ERROR "${PROGRAM} is '${CMAKE_MATCH_1}', expected ${MAGIC}")
endif()
if(NOT headers MATCHES "Subsystem[\t ]+00000003[\t ]+\\(Windows CUI\\)")
    message(FATAL_ERROR "${PROGRAM} is not a console (CUI) program")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${headers}")
set(imports "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: *([^\r]+).*$" "\\1" dll "${line}")
    list(APPEND imports "${dll}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll MATCHES "^(kernel32|msvcrt|ucrtbase|ntdll|user32|advapi32|api-ms-win-[a-z0-9-]+)\\.dll$")
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not part of Windows")
    endif()
endforeach()
list(JOIN imports ", " imports)
message(STATUS "${PROGRAM}: ${MAGIC} console program importing ${imports}")

if(NOT DEFINED VERSION)
    return()
endif()
# The version resource's strings are UTF-16: each name, then its value.
file(STRINGS "${PROGRAM}" resource ENCODING UTF-16LE LENGTH_MINIMUM 5)
foreach(name IN ITEMS FileVersion ProductVersion ProductName)
    list(FIND resource "${name}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${PROGRAM} has no ${name} in a version resource")
    endif()
    math(EXPR at "${at} + 1")
    list(GET resource ${at} value)
    set(${name} "${value}")
endforeach()
if(NOT FileVersion STREQUAL VERSION OR NOT ProductVersion STREQUAL VERSION)
    message(FATAL_ERROR "${PROGRAM} has file version '${FileVersion}' and product version "
        "'${ProductVersion}', expected ${VERSION}")
endif()
message(STATUS "${PROGRAM}: ${ProductName} ${ProductVersion}")
