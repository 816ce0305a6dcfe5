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
