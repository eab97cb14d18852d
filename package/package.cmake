# The device package and the files the desktop installer carries beside it:
#   ${ORVALET_OUT}/Orvalet.armrel.CAB  the cabinet, built by tools/cabtool from Orvalet.inf
#   ${ORVALET_OUT}/Orvalet.armrel.DAT  its setup information, the CAB's ".000" member
#   ${ORVALET_OUT}/appmgr.ini          the application manager's INI file, as kept here
# (Orvalet.ico comes from resources/art/art.cmake.) Included from the
# top-level CMakeLists.txt after the deliverables and the language file.
set(ORVALET_PACKAGE_INF ${CMAKE_CURRENT_LIST_DIR}/Orvalet.inf)
set(ORVALET_CAB ${ORVALET_OUT}/Orvalet.armrel.CAB)
set(ORVALET_DAT ${ORVALET_OUT}/Orvalet.armrel.DAT)
set(ORVALET_CABTOOL ${ORVALET_HOST_DIR}/cabtool/cabtool)
file(GLOB _cabtool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/cabtool/*.cpp
     ${CMAKE_SOURCE_DIR}/tools/cabtool/*.h)

add_custom_command(OUTPUT ${ORVALET_CAB} ${ORVALET_DAT}
  COMMAND ${ORVALET_CABTOOL} build ${ORVALET_PACKAGE_INF} ${ORVALET_OUT} ${ORVALET_CAB} ${ORVALET_DAT}
  # As for the language file, the tool's sources stand in for its binary.
  DEPENDS host ${_cabtool_sources} ${ORVALET_PACKAGE_INF} Orvalet OrvaletSetup
          ${ORVALET_LANGUAGE_FILE} ${ORVALET_OUT}/Orvalet.vga
  COMMENT "Building the device package Orvalet.armrel.CAB"
  VERBATIM)
add_custom_command(OUTPUT ${ORVALET_OUT}/appmgr.ini
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/appmgr.ini ${ORVALET_OUT}/appmgr.ini
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/appmgr.ini
  COMMENT "Copying appmgr.ini" VERBATIM)
add_custom_target(device_package ALL DEPENDS ${ORVALET_CAB} ${ORVALET_DAT} ${ORVALET_OUT}/appmgr.ini)
add_dependencies(device_package art language_file)

# The built package read back by cabinet readers written elsewhere (and
# Wine's), rebuilt to the same bytes, and the INI and icon in their exact form.
add_test(NAME package.check
  COMMAND ${CMAKE_SOURCE_DIR}/tests/host/package-check.sh ${ORVALET_CABTOOL} ${ORVALET_PACKAGE_INF}
          ${ORVALET_OUT} ${CMAKE_BINARY_DIR}/package-check)
set_tests_properties(package.check PROPERTIES TIMEOUT 300)
