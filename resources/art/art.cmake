# Orvalet's artwork: SVG sources turned into the bitmaps and icons that the
# resource script and the package take. Included from the top-level
# CMakeLists.txt (after enable_testing()); needs ORVALET_OUT.
#
# Produces, through the target `art`:
#   ${ORVALET_ART_DIR}/tray.ico          tray icon, 16 and 32 px, 24-bit + mask
#   ${ORVALET_ART_DIR}/tray_pressed.ico  tray icon while the menu is open, 16 px
#   ${ORVALET_ART_DIR}/strip16.bmp       27 command icons of 16 px, 432 x 16
#   ${ORVALET_ART_DIR}/banner.bmp        menu header banner, 1 x 17, 8-bit grey
#   ${ORVALET_OUT}/Orvalet.vga           27 command icons of 32 px, 864 x 32

if(NOT DEFINED ORVALET_OUT)
  message(FATAL_ERROR "art.cmake: ORVALET_OUT must be set before the include")
endif()

find_program(ORVALET_RSVG_CONVERT rsvg-convert)
if(NOT ORVALET_RSVG_CONVERT)
  message(FATAL_ERROR "art.cmake: rsvg-convert not found (Debian package librsvg2-bin)")
endif()
find_package(Python3 3.7 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(FATAL_ERROR "art.cmake: python3 not found (Debian package python3)")
endif()

set(ORVALET_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(_art_src ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(_art_tools ${CMAKE_CURRENT_LIST_DIR}/../../tools/art ABSOLUTE)
set(_art_tool ${_art_tools}/build_art.py)
set(_art_build ${Python3_EXECUTABLE} ${_art_tool} --rsvg ${ORVALET_RSVG_CONVERT})
file(MAKE_DIRECTORY ${ORVALET_ART_DIR} ${ORVALET_OUT})

# The manifest names the command icons in strip order; a new command is a new
# line there and two new drawings, nothing here.
set(_art_manifest ${_art_src}/commands.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_art_manifest})
file(STRINGS ${_art_manifest} _art_lines REGEX "^[0-9]+[ \t]+[^ \t#]+")
set(_art_cmd16)
set(_art_cmd32)
foreach(_line IN LISTS _art_lines)
  string(REGEX REPLACE "^[0-9]+[ \t]+([^ \t#]+).*" "\\1" _name "${_line}")
  list(APPEND _art_cmd16 ${_art_src}/cmd16/${_name}.svg)
  list(APPEND _art_cmd32 ${_art_src}/cmd32/${_name}.svg)
endforeach()

add_custom_command(OUTPUT ${ORVALET_ART_DIR}/tray.ico
  COMMAND ${_art_build} icon ${ORVALET_ART_DIR}/tray.ico
          ${_art_src}/tray/tray16.svg ${_art_src}/tray/tray32.svg
  DEPENDS ${_art_tool} ${_art_src}/tray/tray16.svg ${_art_src}/tray/tray32.svg
  COMMENT "Art: tray icon" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_ART_DIR}/tray_pressed.ico
  COMMAND ${_art_build} icon ${ORVALET_ART_DIR}/tray_pressed.ico ${_art_src}/tray/tray_pressed16.svg
  DEPENDS ${_art_tool} ${_art_src}/tray/tray_pressed16.svg
  COMMENT "Art: pressed tray icon" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_ART_DIR}/strip16.bmp
  COMMAND ${_art_build} strip ${ORVALET_ART_DIR}/strip16.bmp ${_art_manifest} ${_art_src}/cmd16
  DEPENDS ${_art_tool} ${_art_manifest} ${_art_cmd16}
  COMMENT "Art: 16 px command icon strip" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_OUT}/Orvalet.vga
  COMMAND ${_art_build} strip ${ORVALET_OUT}/Orvalet.vga ${_art_manifest} ${_art_src}/cmd32
  DEPENDS ${_art_tool} ${_art_manifest} ${_art_cmd32}
  COMMENT "Art: 32 px command icon strip (Orvalet.vga)" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_ART_DIR}/banner.bmp
  COMMAND ${_art_build} banner ${ORVALET_ART_DIR}/banner.bmp ${_art_src}/banner.svg
  DEPENDS ${_art_tool} ${_art_src}/banner.svg
  COMMENT "Art: menu header banner" VERBATIM)

add_custom_target(art ALL DEPENDS
  ${ORVALET_ART_DIR}/tray.ico ${ORVALET_ART_DIR}/tray_pressed.ico
  ${ORVALET_ART_DIR}/strip16.bmp ${ORVALET_OUT}/Orvalet.vga ${ORVALET_ART_DIR}/banner.bmp)

# art.check reads the built files back and checks their exact form and the
# drawings' basic soundness; art.tools shows that the writers' bytes read back
# and that the check rejects each fault it is there for.
add_test(NAME art.tools
  COMMAND ${Python3_EXECUTABLE} ${_art_src}/../../tests/art/test_art_tools.py --rsvg ${ORVALET_RSVG_CONVERT})
add_test(NAME art.check
  COMMAND ${Python3_EXECUTABLE} ${_art_tools}/check_art.py
          --art-dir ${ORVALET_ART_DIR} --vga ${ORVALET_OUT}/Orvalet.vga)
