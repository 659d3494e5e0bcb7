# Installing the kit so that players can be built outside this tree:
# programs, the libraries, their headers, a pkg-config file and a CMake
# package (find_package(Tessor) gives Tessor::tessor and Tessor::joueur).
include(CMakePackageConfigHelpers)

install(TARGETS tessor joueur tessor_plateau EXPORT TessorCibles
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessor)
install(EXPORT TessorCibles NAMESPACE Tessor::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tessor)

configure_package_config_file(cmake/TessorConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TessorConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tessor)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TessorConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TessorConfig.cmake ${CMAKE_BINARY_DIR}/TessorConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/TessorJoueur.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tessor)

configure_file(cmake/tessor.pc.in ${CMAKE_BINARY_DIR}/tessor.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tessor.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
