# Installation: the runtime and its public headers, the control libraries with their
# manifests, the hosts, a CMake package (find_package(CtlControls)) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(CTL_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/ctlcontrols)
set(CTL_CONTROL_DIR ${CMAKE_INSTALL_LIBDIR}/ctlcontrols)

install(TARGETS ctlplatform EXPORT CtlControlsTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CTL_INCLUDE_DIR})
install(DIRECTORY platform/ DESTINATION ${CTL_INCLUDE_DIR}/platform
        FILES_MATCHING PATTERN "*.h" PATTERN "*Impl.h" EXCLUDE PATTERN "README.md" EXCLUDE)

# Control libraries are plug-ins found through their manifests in lib/ctlcontrols.
foreach(lib karvex quorlin)
  install(TARGETS ${lib} LIBRARY DESTINATION ${CTL_CONTROL_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/bin/${lib}${CTL_MANIFEST_SUFFIX} DESTINATION ${CTL_CONTROL_DIR})
endforeach()

foreach(exe ctlhost ctldemo trackdb)
  if(TARGET ${exe})
    install(TARGETS ${exe} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(EXPORT CtlControlsTargets NAMESPACE CtlControls::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CtlControls)
configure_package_config_file(cmake/CtlControlsConfig.cmake.in
  ${CMAKE_BINARY_DIR}/CtlControlsConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CtlControls
  PATH_VARS CTL_INCLUDE_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/CtlControlsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/CtlControlsConfig.cmake
              ${CMAKE_BINARY_DIR}/CtlControlsConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CtlControls)
file(RELATIVE_PATH CTL_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(cmake/ctlcontrols.pc.in ${CMAKE_BINARY_DIR}/ctlcontrols.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ctlcontrols.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
