# The installation's documents and, with CONTAINERS_PACKAGES (or a CPACK_GENERATOR from that build
# to its others), the packages: a ZIP on Windows, a .tar.gz and a .deb on Linux, the same bytes from
# one commit (docs/packages.md).
set(packaging "${PROJECT_SOURCE_DIR}/cmake/packaging")
set(packages OFF)
if(CONTAINERS_PACKAGES OR CPACK_GENERATOR)
    set(packages ON)
endif()

if(WIN32)
    set(docdir .)  # unpacked on Windows, the README and the copyright sit at the top
else()
    set(docdir "${CMAKE_INSTALL_DOCDIR}")
    file(STRINGS "${packaging}/changelog" newest LIMIT_COUNT 1)
    if(packages AND NOT newest MATCHES "^containers \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "cmake/packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
    endif()
    # The manual page names the headers and the README, relocatable or not.
    set(full FULL_)
    set(CONTAINERS_MAN_END ".")
    if(CONTAINERS_RELOCATABLE)
        set(full "")
        set(CONTAINERS_MAN_END ",\nboth in the folder that holds the installation.")
    endif()
    set(CONTAINERS_MAN_INCLUDEDIR "${CMAKE_INSTALL_${full}INCLUDEDIR}/containers/")
    set(CONTAINERS_MAN_README "${CMAKE_INSTALL_${full}DOCDIR}/README.md")
    configure_file("${packaging}/containers-demo.1.in" containers-demo.1 @ONLY)
    set(changelog "${packaging}/changelog")
    set(manpage "${CMAKE_CURRENT_BINARY_DIR}/containers-demo.1")
    if(packages)  # compressed, as Debian's policy asks
        foreach(source IN ITEMS "${changelog}" "${manpage}")
            cmake_path(GET source FILENAME name)
            add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n -c "${source}" > ${name}.gz
                DEPENDS "${source}" VERBATIM)
        endforeach()
        add_custom_target(containers-gzipped-docs ALL DEPENDS changelog.gz containers-demo.1.gz)
        set(changelog "${CMAKE_CURRENT_BINARY_DIR}/changelog.gz")
        set(manpage "${CMAKE_CURRENT_BINARY_DIR}/containers-demo.1.gz")
    endif()
    install(FILES "${changelog}" DESTINATION "${docdir}")
    if(CONTAINERS_BUILD_PROGRAM)
        install(FILES "${manpage}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
    endif()
endif()
file(RELATIVE_PATH headers "/prefix/${docdir}" "/prefix/${CMAKE_INSTALL_INCLUDEDIR}/containers")
configure_file("${packaging}/README.installed.md.in" README.md @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.md" "${packaging}/copyright" DESTINATION "${docdir}")

if(CONTAINERS_REPRODUCIBLE AND NOT MSVC)  # GCC's command line
    foreach(target IN ITEMS containers demo-routines containers-demo)
        if(TARGET ${target})
            target_compile_options(${target} PRIVATE
                "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
        endif()
    endforeach()
endif()

if(NOT packages)
    return()
endif()
set(CPACK_CONTAINERS_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/ContainersCPackProject.cmake")
set(CPACK_PACKAGE_NAME containers)
set(CPACK_PACKAGE_VENDOR "the authors of containers")
set(CPACK_PACKAGE_CONTACT "containers maintainers <maintainers@containers.invalid>" CACHE STRING "Name <address>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hand-written containers library and its demonstration program")
set(CPACK_PACKAGE_DESCRIPTION "A cursor list, an array stack, a circular queue and a fixed-capacity hash table,
as a static C++17 library with its headers, a CMake package and a pkg-config file,
and containers-demo, which runs the hash-table demonstration.")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # but the tarball's: ContainersCPackProject.cmake
if(NOT CPACK_GENERATOR AND WIN32)
    set(CPACK_GENERATOR ZIP)
elseif(NOT CPACK_GENERATOR)  # the others come from builds of their own, below
    set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the C library; the C++ runtime is linked in
include(CPack)

# CONTAINERS_PACKAGES: every package, the .tar.gz and the ZIP in trees of their own, with CPack
# under fakeroot and a fixed umask.
if(NOT CONTAINERS_PACKAGES)
    return()
endif()
include(ExternalProject)
find_program(CONTAINERS_FAKEROOT fakeroot REQUIRED)
set(cpack ${CONTAINERS_FAKEROOT} sh -c "umask 022 && exec \"$0\" \"$@\"" "${CMAKE_CPACK_COMMAND}")
foreach(build IN ITEMS windows-x86-zip linux-tarball)
    if(build STREQUAL windows-x86-zip)  # the program's own platform
        set(args "-DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/i686-w64-mingw32.cmake"
            -DCPACK_GENERATOR=ZIP)
    else()  # for any Linux system: plain lib/, relocatable, in one top folder
        set(args -DCMAKE_INSTALL_PREFIX=/usr/local -DCMAKE_INSTALL_LIBDIR=lib -DCONTAINERS_RELOCATABLE=ON
            -DCPACK_GENERATOR=TGZ)
    endif()
    ExternalProject_Add(${build} SOURCE_DIR "${PROJECT_SOURCE_DIR}" BINARY_DIR "${CMAKE_BINARY_DIR}/${build}"
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF ${args}
            "-DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}"
            "-DCONTAINERS_REPRODUCIBLE=${CONTAINERS_REPRODUCIBLE}"
        INSTALL_COMMAND ${cpack} --config <BINARY_DIR>/CPackConfig.cmake -B "${CMAKE_BINARY_DIR}"
        BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)
endforeach()
add_custom_target(packages ALL COMMAND ${cpack} --config CPackConfig.cmake WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
    USES_TERMINAL COMMENT "Making the .deb" VERBATIM)
add_dependencies(packages containers containers-demo containers-gzipped-docs windows-x86-zip linux-tarball)
