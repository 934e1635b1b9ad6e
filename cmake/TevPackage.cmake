# Installs the platform and the slider control as a package that other programs build on:
#
#   find_package(tevslider 0.1 REQUIRED)
#   target_link_libraries(my_program PRIVATE tev::tevslider tev::tevmain)
#
# `cmake --install` puts the libraries in lib/, every public header in include/tevslider/
# (included as "tev/...", "tevslid.hpp", "offscreen_backend.hpp", "run_application.hpp", as
# inside this tree), the CMake package in lib/cmake/tevslider/ and pkg-config files in
# lib/pkgconfig/. The bitmap resources and the console font are compiled into tevplatform,
# so a program needs no files of the package at run time.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TEV_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/tevslider")
set(TEV_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/tevslider")
set(TEV_INSTALL_PKGCONFIGDIR "${CMAKE_INSTALL_LIBDIR}/pkgconfig")

# Libraries in link order: each one before those it needs.
set(tev_package_libraries tevslider tevmain tevstartup)
set(tev_package_with_window OFF)
if(TARGET tev_window)
  list(APPEND tev_package_libraries tev_window)
  set(tev_package_with_window ON)
endif()
list(APPEND tev_package_libraries tev_offscreen tevplatform)

install(TARGETS ${tev_package_libraries}
        EXPORT tevsliderTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${TEV_INSTALL_INCLUDEDIR})
install(EXPORT tevsliderTargets
        NAMESPACE tev::
        DESTINATION ${TEV_INSTALL_CMAKEDIR})

# The demo program comes along, so an installed package can be tried at once.
install(TARGETS slidrgb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Public headers. The color mixer's own header (slidrgb.hpp) belongs to that program, not to
# the package.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/tev
        DESTINATION ${TEV_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.hpp")
install(FILES ${PROJECT_BINARY_DIR}/platform/include/tev/version.hpp
        DESTINATION ${TEV_INSTALL_INCLUDEDIR}/tev)
install(FILES
        ${PROJECT_SOURCE_DIR}/platform/backends/offscreen/offscreen_backend.hpp
        ${PROJECT_SOURCE_DIR}/platform/backends/offscreen/replay_script.hpp
        ${PROJECT_SOURCE_DIR}/platform/main/run_application.hpp
        ${PROJECT_SOURCE_DIR}/tevutil/tevslider/tevslid.hpp
        DESTINATION ${TEV_INSTALL_INCLUDEDIR})

# The exported targets name the imported targets of their dependencies (PkgConfig::CAIRO, and
# the SDL2 target of the window backend when it is built); the package configuration makes
# them again in the consumer, the same way this build found them.
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/tevsliderConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/tevsliderConfig.cmake
  INSTALL_DESTINATION ${TEV_INSTALL_CMAKEDIR})
# Semantic versioning below 1.0: a minor release may break the interface, so a consumer that
# asks for 0.1 accepts 0.1.x only.
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/package/tevsliderConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES
        ${PROJECT_BINARY_DIR}/package/tevsliderConfig.cmake
        ${PROJECT_BINARY_DIR}/package/tevsliderConfigVersion.cmake
        DESTINATION ${TEV_INSTALL_CMAKEDIR})

# pkg-config: tevslider for the libraries, tevslider-main for the platform's main() on top.
# The prefix is found from where the .pc file lies, so the package can be installed anywhere.
file(RELATIVE_PATH TEV_PKGCONFIG_TO_PREFIX
     "${CMAKE_INSTALL_PREFIX}/${TEV_INSTALL_PKGCONFIGDIR}" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" TEV_PKGCONFIG_TO_PREFIX "${TEV_PKGCONFIG_TO_PREFIX}")
set(TEV_PKGCONFIG_LIBS "-ltevslider -ltevstartup")
set(TEV_PKGCONFIG_REQUIRES "cairo")
if(tev_package_with_window)
  string(APPEND TEV_PKGCONFIG_LIBS " -ltev_window")
  string(APPEND TEV_PKGCONFIG_REQUIRES ", sdl2, x11")
endif()
string(APPEND TEV_PKGCONFIG_LIBS " -ltev_offscreen -ltevplatform")
foreach(pc tevslider tevslider-main)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${pc}.pc.in ${PROJECT_BINARY_DIR}/package/${pc}.pc
                 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/${pc}.pc DESTINATION ${TEV_INSTALL_PKGCONFIGDIR})
endforeach()
