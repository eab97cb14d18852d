# Orvalet's artwork: SVG sources turned into the bitmaps and icons that the
# resource script and the package take. Included from the top-level
# CMakeLists.txt (after enable_testing()); needs ORVALET_OUT.
#
# Produces, through the target `art`:
#   ${ORVALET_ART_DIR}/tray.ico          tray icon, 16 and 32 px, 24-bit + mask
#   ${ORVALET_ART_DIR}/tray_pressed.ico  tray icon while the menu is open, 16 px
#   ${ORVALET_ART_DIR}/strip16.bmp       command icons of 16 px in one row, 24-bit
#   ${ORVALET_ART_DIR}/banner.bmp        menu header banner, 1 x 17, 8-bit grey
#   ${ORVALET_ART_DIR}/logo.bmp          the maker's logo of the About page, 116 x 53, 24-bit
#   ${ORVALET_ART_DIR}/shadow.bmp        the Color page's swatch shadow, 35 x 22, 24-bit
#   ${ORVALET_OUT}/Orvalet.vga           command icons of 32 px in one row, 24-bit
#   ${ORVALET_OUT}/Orvalet.ico           the application manager's icon of the package,
#                                        16 px at 16 colours and 32 px at 24 bits + mask
# and, for the desktop installer's resource script, in ${ORVALET_INSTALLER_ART_DIR}
# (= ${ORVALET_ART_DIR}/installer):
#   product.ico                          Orvalet's icon (the tray drawings), 16 and 32 px,
#                                        24-bit + mask
#   ledger.ico tideclock.ico quill.ico trailmap.ico
#                                        the maker's other products, same form
#   rule.bmp                             rule under a page heading, 164 x 2, 24-bit
#   panel.bmp                            product panel behind name, tagline and icon,
#                                        238 x 112, 24-bit
#   hand.cur                             link cursor, 32 x 32, 1-bit, hot spot 6,0

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

# The strips hold one icon per row of the program's command list, in its order;
# a new command is a new row there and two new drawings, nothing here. The
# list is read by the same reader that builds the strips, which stops the
# configuration at a row it cannot read.
get_filename_component(_art_commands ${CMAKE_CURRENT_LIST_DIR}/../../device/menu/CommandList.h ABSOLUTE)
set(_art_reader ${_art_tools}/command_list.py)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_art_commands} ${_art_reader})
execute_process(COMMAND ${Python3_EXECUTABLE} -B ${_art_reader} art ${_art_commands}
                OUTPUT_VARIABLE _art_names ERROR_VARIABLE _art_error RESULT_VARIABLE _art_result)
if(NOT _art_result EQUAL 0)
  message(FATAL_ERROR "art.cmake: ${_art_error}")
endif()
string(REPLACE "\n" ";" _art_names "${_art_names}")
list(FILTER _art_names EXCLUDE REGEX "^$")
set(_art_cmd16)
set(_art_cmd32)
foreach(_name IN LISTS _art_names)
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
  COMMAND ${_art_build} strip ${ORVALET_ART_DIR}/strip16.bmp ${_art_commands} ${_art_src}/cmd16
  DEPENDS ${_art_tool} ${_art_reader} ${_art_commands} ${_art_cmd16}
  COMMENT "Art: 16 px command icon strip" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_OUT}/Orvalet.vga
  COMMAND ${_art_build} strip ${ORVALET_OUT}/Orvalet.vga ${_art_commands} ${_art_src}/cmd32
  DEPENDS ${_art_tool} ${_art_reader} ${_art_commands} ${_art_cmd32}
  COMMENT "Art: 32 px command icon strip (Orvalet.vga)" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_OUT}/Orvalet.ico
  COMMAND ${_art_build} appicon ${ORVALET_OUT}/Orvalet.ico
          ${_art_src}/package/orvalet16.svg ${_art_src}/tray/tray32.svg
  DEPENDS ${_art_tool} ${_art_src}/package/orvalet16.svg ${_art_src}/tray/tray32.svg
  COMMENT "Art: package icon (Orvalet.ico)" VERBATIM)

add_custom_command(OUTPUT ${ORVALET_ART_DIR}/banner.bmp
  COMMAND ${_art_build} banner ${ORVALET_ART_DIR}/banner.bmp ${_art_src}/banner.svg
  DEPENDS ${_art_tool} ${_art_src}/banner.svg
  COMMENT "Art: menu header banner" VERBATIM)

# The settings pages' pictures: the maker's logo and the swatches' shadow.
foreach(_picture logo shadow)
  add_custom_command(OUTPUT ${ORVALET_ART_DIR}/${_picture}.bmp
    COMMAND ${_art_build} picture ${ORVALET_ART_DIR}/${_picture}.bmp ${_art_src}/${_picture}.svg
    DEPENDS ${_art_tool} ${_art_src}/${_picture}.svg
    COMMENT "Art: ${_picture} picture" VERBATIM)
endforeach()

# The desktop installer's artwork. Its own product icon is the tray drawings;
# each of the maker's other products has a 16 and a 32 px drawing.
set(ORVALET_INSTALLER_ART_DIR ${ORVALET_ART_DIR}/installer)
set(_art_inst ${ORVALET_INSTALLER_ART_DIR})
set(_art_inst_src ${_art_src}/installer)
file(MAKE_DIRECTORY ${_art_inst})
add_custom_command(OUTPUT ${_art_inst}/product.ico
  COMMAND ${_art_build} icon ${_art_inst}/product.ico
          ${_art_src}/tray/tray16.svg ${_art_src}/tray/tray32.svg
  DEPENDS ${_art_tool} ${_art_src}/tray/tray16.svg ${_art_src}/tray/tray32.svg
  COMMENT "Art: installer product icon" VERBATIM)
set(_art_inst_files ${_art_inst}/product.ico)
foreach(_icon ledger tideclock quill trailmap)
  add_custom_command(OUTPUT ${_art_inst}/${_icon}.ico
    COMMAND ${_art_build} icon ${_art_inst}/${_icon}.ico
            ${_art_inst_src}/${_icon}16.svg ${_art_inst_src}/${_icon}32.svg
    DEPENDS ${_art_tool} ${_art_inst_src}/${_icon}16.svg ${_art_inst_src}/${_icon}32.svg
    COMMENT "Art: installer icon ${_icon}" VERBATIM)
  list(APPEND _art_inst_files ${_art_inst}/${_icon}.ico)
endforeach()
foreach(_picture rule panel)
  add_custom_command(OUTPUT ${_art_inst}/${_picture}.bmp
    COMMAND ${_art_build} picture ${_art_inst}/${_picture}.bmp ${_art_inst_src}/${_picture}.svg
    DEPENDS ${_art_tool} ${_art_inst_src}/${_picture}.svg
    COMMENT "Art: installer ${_picture} picture" VERBATIM)
  list(APPEND _art_inst_files ${_art_inst}/${_picture}.bmp)
endforeach()
add_custom_command(OUTPUT ${_art_inst}/hand.cur
  COMMAND ${_art_build} cursor ${_art_inst}/hand.cur ${_art_inst_src}/hand.svg --hotspot 6 0
  DEPENDS ${_art_tool} ${_art_inst_src}/hand.svg
  COMMENT "Art: installer hand cursor" VERBATIM)
list(APPEND _art_inst_files ${_art_inst}/hand.cur)

add_custom_target(art ALL DEPENDS ${ORVALET_ART_DIR}/logo.bmp ${ORVALET_ART_DIR}/shadow.bmp
  ${ORVALET_ART_DIR}/tray.ico ${ORVALET_ART_DIR}/tray_pressed.ico
  ${ORVALET_ART_DIR}/strip16.bmp ${ORVALET_OUT}/Orvalet.vga ${ORVALET_ART_DIR}/banner.bmp
  ${ORVALET_OUT}/Orvalet.ico ${_art_inst_files})

# art.check reads the built files back and checks their exact form and the
# drawings' basic soundness; art.tools shows that the writers' bytes read back
# and that the check rejects each fault it is there for.
add_test(NAME art.tools
  COMMAND ${Python3_EXECUTABLE} ${_art_src}/../../tests/art/test_art_tools.py --rsvg ${ORVALET_RSVG_CONVERT})
add_test(NAME art.check
  COMMAND ${Python3_EXECUTABLE} ${_art_tools}/check_art.py
          --art-dir ${ORVALET_ART_DIR} --vga ${ORVALET_OUT}/Orvalet.vga
          --installer-dir ${ORVALET_INSTALLER_ART_DIR})
