# The installed package: the headers, the host library, a CMake package
# (find_package(Quenta): Quenta::headers, Quenta::host, Quenta_MODULE_DIR)
# and a pkg-config file, all in the Development component. The modules and
# the tool install into Runtime where they are defined.
include(CMakePackageConfigHelpers)

set(QUENTA_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Quenta")

install(DIRECTORY include/quenta DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
install(EXPORT QuentaTargets NAMESPACE Quenta:: DESTINATION "${QUENTA_CMAKE_DIR}" COMPONENT Development)

configure_package_config_file(cmake/QuentaConfig.cmake.in "${PROJECT_BINARY_DIR}/QuentaConfig.cmake"
  INSTALL_DESTINATION "${QUENTA_CMAKE_DIR}"
  PATH_VARS QUENTA_MODULE_DIR)
write_basic_package_version_file("${PROJECT_BINARY_DIR}/QuentaConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${PROJECT_BINARY_DIR}/QuentaConfig.cmake" "${PROJECT_BINARY_DIR}/QuentaConfigVersion.cmake"
  DESTINATION "${QUENTA_CMAKE_DIR}" COMPONENT Development)

# The .pc file finds the prefix from where it lies, so that an installed
# tree can move as a whole.
file(RELATIVE_PATH QUENTA_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" QUENTA_PC_TO_PREFIX "${QUENTA_PC_TO_PREFIX}")
set(QUENTA_PC_LIBS "-lquenta_host")
if(CMAKE_DL_LIBS)
  string(APPEND QUENTA_PC_LIBS " -l${CMAKE_DL_LIBS}")
endif()
configure_file(cmake/quenta.pc.in "${PROJECT_BINARY_DIR}/quenta.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/quenta.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
  COMPONENT Development)

# The licence, the changelog and the host guide, for whoever takes either
# component alone.
set(QUENTA_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quenta")
install(FILES LICENSE CHANGELOG.md docs/HostGuide.md DESTINATION "${QUENTA_DOC_DIR}" COMPONENT Runtime)

# Release packages (cpack in the build folder). Linux: a .tar.gz and a .deb
# of everything the build installs. Windows: one .zip holding what the
# 32- and 64-bit builds install, each in a folder of its own, and the host
# guide; it is made from the 64-bit build and takes the 32-bit one from
# QUENTA_WINDOWS_X86_BUILD.
set(CPACK_PACKAGE_NAME quenta)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Quenta developers")
set(CPACK_PACKAGE_CONTACT "The Quenta developers <quenta@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Message-text renderer module for a plug-in game engine, its siblings, host kit and tools")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "quenta-${PROJECT_VERSION}-windows")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_INSTALLED_DIRECTORIES "${PROJECT_SOURCE_DIR}/docs;.")
  # The folders are named for the machine, not the build.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_INSTALL_CMAKE_PROJECTS
      "${QUENTA_WINDOWS_X86_BUILD};Quenta;ALL;/x86" "${PROJECT_BINARY_DIR};Quenta;ALL;/x64")
  else()
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Quenta;ALL;/x86")
  endif()
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_PACKAGE_FILE_NAME "quenta-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Scrivo2 asks fontconfig for the two faces; the IPA fonts are what it finds on Debian.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
endif()
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/CPackProject.cmake")
include(CPack)
