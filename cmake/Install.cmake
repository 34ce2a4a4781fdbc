# Installation: the runtime and the typed widgets with their public headers, the control
# libraries with their manifests, the Designer plugin, the hosts, a CMake package
# (find_package(CtlControls)) and pkg-config files.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(CTL_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/ctlcontrols)
set(CTL_CONTROL_DIR ${CMAKE_INSTALL_LIBDIR}/ctlcontrols)

install(TARGETS ctlplatform ctlwidgets EXPORT CtlControlsTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CTL_INCLUDE_DIR})
# Only the headers an application includes (and the ones they include): the embedding API and
# the typed widgets. The rest of the runtime is the controls' business.
install(FILES platform/embed/ControlWidget.h DESTINATION ${CTL_INCLUDE_DIR}/platform/embed)
install(FILES platform/com/RaisedError.h platform/com/TypeInfo.h platform/com/Variant.h
        DESTINATION ${CTL_INCLUDE_DIR}/platform/com)
install(FILES widgets/TypedControl.h widgets/QtValues.h ${CTL_WIDGET_HEADERS}
        DESTINATION ${CTL_INCLUDE_DIR}/widgets)

# Qt Designer finds the plugin with QT_PLUGIN_PATH=<prefix>/lib/qt6/plugins.
install(TARGETS ctldesigner LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/qt6/plugins/designer)

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
configure_file(cmake/ctlwidgets.pc.in ${CMAKE_BINARY_DIR}/ctlwidgets.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ctlcontrols.pc ${CMAKE_BINARY_DIR}/ctlwidgets.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
