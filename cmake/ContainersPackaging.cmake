# Packages made by CPack from the installation: a ZIP on Windows, a .tar.gz
# and a .deb on Linux. Included by the top-level project when it installs.
#
# The .deb is one package, containers, holding both the library and its
# demonstration program: the program is a few kilobytes and exists to show
# the library, so splitting it into a package of its own would buy nothing.

set(CONTAINERS_PACKAGE_CONTACT "containers maintainers <maintainers@containers.invalid>"
    CACHE STRING "Maintainer of the packages, as \"Name <address>\"")

if(WIN32)
    # Unpacked on Windows, the README and the copyright statement sit at the top.
    set(_containers_docdir .)
else()
    set(_containers_docdir "${CMAKE_INSTALL_DOCDIR}")
    # Debian's other documentation: the changelog, whose newest entry must
    # name this version, and the program's manual page, both compressed with
    # gzip -9n (no time stamp, so the packages are reproducible).
    file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/packaging/changelog" _containers_newest LIMIT_COUNT 1)
    if(NOT _containers_newest MATCHES "^containers \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "cmake/packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
    endif()
    # The manual page names where the headers and the README are: folders of
    # the installation where it is relocatable, else the installed paths.
    if(CONTAINERS_RELOCATABLE)
        set(CONTAINERS_MAN_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/containers/")
        set(CONTAINERS_MAN_README "${CMAKE_INSTALL_DOCDIR}/README.md")
        # .IR sets its arguments alternately in italics and roman.
        set(CONTAINERS_MAN_END ",\nboth in the folder that holds the installation.")
    else()
        set(CONTAINERS_MAN_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}/containers/")
        set(CONTAINERS_MAN_README "${CMAKE_INSTALL_FULL_DOCDIR}/README.md")
        set(CONTAINERS_MAN_END ".")
    endif()
    configure_file("${PROJECT_SOURCE_DIR}/cmake/packaging/containers-demo.1.in"
        "${CMAKE_CURRENT_BINARY_DIR}/containers-demo.1" @ONLY)
    find_program(CONTAINERS_GZIP gzip REQUIRED)
    set(_containers_gzipped "")
    foreach(source IN ITEMS "${PROJECT_SOURCE_DIR}/cmake/packaging/changelog"
            "${CMAKE_CURRENT_BINARY_DIR}/containers-demo.1")
        get_filename_component(name "${source}" NAME)
        set(gzipped "${CMAKE_CURRENT_BINARY_DIR}/${name}.gz")
        add_custom_command(OUTPUT "${gzipped}"
            COMMAND "${CONTAINERS_GZIP}" -9n -c "${source}" > "${gzipped}"
            DEPENDS "${source}" VERBATIM)
        list(APPEND _containers_gzipped "${gzipped}")
    endforeach()
    add_custom_target(containers-gzipped-docs ALL DEPENDS ${_containers_gzipped})
    install(FILES "${CMAKE_CURRENT_BINARY_DIR}/changelog.gz" DESTINATION "${_containers_docdir}")
    if(CONTAINERS_BUILD_PROGRAM)
        install(FILES "${CMAKE_CURRENT_BINARY_DIR}/containers-demo.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
    endif()
endif()
# The installed README is a short one whose links lead to the installed
# headers; the project's README links into the source tree.
file(RELATIVE_PATH CONTAINERS_DOC_TO_HEADERS "/prefix/${_containers_docdir}"
    "/prefix/${CMAKE_INSTALL_INCLUDEDIR}/containers")
configure_file("${PROJECT_SOURCE_DIR}/cmake/packaging/README.installed.md.in"
    "${CMAKE_CURRENT_BINARY_DIR}/README.md" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.md" "${PROJECT_SOURCE_DIR}/cmake/packaging/copyright"
    DESTINATION "${_containers_docdir}")

# The same commit makes the same bytes, wherever, whenever and by whomever
# it is built (check it with cmake/check-reproducible.sh):
# - CPack stamps every archive member with SOURCE_DATE_EPOCH, which
#   ContainersCPackProject.cmake takes from the last commit when it is unset;
# - directories are installed with fixed modes, whatever the umask
#   (CMakeLists.txt);
# - with CONTAINERS_REPRODUCIBLE, compiled code names its sources relative to
#   the source and build folders; the Windows program's link time stamp is
#   left out (demo/CMakeLists.txt).
if(CONTAINERS_REPRODUCIBLE AND NOT MSVC)  # GCC's command line
    foreach(target IN ITEMS containers demo-routines containers-demo)
        if(TARGET ${target})
            target_compile_options(${target} PRIVATE
                "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
        endif()
    endforeach()
endif()
set(CPACK_CONTAINERS_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/ContainersCPackProject.cmake")

set(CPACK_PACKAGE_NAME containers)
set(CPACK_PACKAGE_VENDOR "the authors of containers")
set(CPACK_PACKAGE_CONTACT "${CONTAINERS_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hand-written containers library and its demonstration program")
set(CPACK_PACKAGE_DESCRIPTION "A cursor list of doubly linked nodes, an array stack and a circular queue
of integers that double when full, and a fixed-capacity open-addressing
hash table of string-keyed entries, as a static C++17 library with its
headers, a CMake package and a pkg-config file, and the program
containers-demo, which runs the hash-table demonstration.")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
# A build may name its generators (the tarball's build does); otherwise the
# ZIP on Windows, and on Linux the .deb, with the .tar.gz too unless a build
# of its own makes that (CONTAINERS_PACKAGES).
if(NOT CPACK_GENERATOR)
    if(WIN32)
        set(CPACK_GENERATOR ZIP)
    elseif(CONTAINERS_PACKAGES)
        set(CPACK_GENERATOR DEB)
    else()
        set(CPACK_GENERATOR TGZ DEB)
    endif()
endif()
# Only the tarball has a top folder (ContainersCPackProject.cmake).
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The program's dependencies (the C library; the C++ runtime is linked in)
# come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
