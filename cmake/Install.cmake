# What `cmake --install` puts where, the CMake package for find_package(KEL), and the
# packages CPack makes (.deb and .tar.gz).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS kelc zarn cobdump cobrun RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/kelc.1 man/zarn.1 man/cobdump.1 man/cobrun.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The examples as written, without what building them leaves beside them.
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        PATTERN "*.cob" EXCLUDE PATTERN "*.prezarn" EXCLUDE PATTERN "*_ZARN_error.txt" EXCLUDE
        PATTERN "unit.zarn" EXCLUDE PATTERN "*.d" EXCLUDE)

set(KEL_CONFIG_DIR ${CMAKE_INSTALL_DATADIR}/cmake/KEL)
file(RELATIVE_PATH KEL_CONFIG_TO_PREFIX "/prefix/${KEL_CONFIG_DIR}" "/prefix")
configure_file(cmake/KELConfig.cmake.in ${CMAKE_BINARY_DIR}/cmake/KELConfig.cmake @ONLY)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/KELConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_BINARY_DIR}/cmake/KELConfig.cmake ${CMAKE_BINARY_DIR}/cmake/KELConfigVersion.cmake
              cmake/KELScripts.cmake
        DESTINATION ${KEL_CONFIG_DIR})

set(CPACK_PACKAGE_NAME kel-toolchain)
set(CPACK_PACKAGE_VENDOR "KEL toolchain")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compiler, assembler, inspector and runner for unit animation scripts (COB files)")
set(CPACK_PACKAGE_CONTACT "KEL toolchain maintainers <kel-toolchain@localhost>")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
set(CPACK_STRIP_FILES ON)
include(CPack)
