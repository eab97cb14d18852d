# The shipped language file: out/Orvalet.bin (UTF-16LE with byte-order mark,
# CR LF) compiled from its UTF-8 source by the translator's tool of the host
# build. The tool checks the source first; an invalid source fails the build
# and leaves no file behind.
set(ORVALET_LANGUAGE_SOURCE ${CMAKE_CURRENT_LIST_DIR}/Orvalet.lang)
set(ORVALET_LANGUAGE_FILE ${ORVALET_OUT}/Orvalet.bin)
set(ORVALET_LANGTOOL ${ORVALET_HOST_DIR}/langtool/langtool)

add_custom_command(OUTPUT ${ORVALET_LANGUAGE_FILE}
  COMMAND ${ORVALET_LANGTOOL} compile ${ORVALET_LANGUAGE_SOURCE} ${ORVALET_LANGUAGE_FILE}
  # The tool's binary is no declared output of the host build: its sources
  # stand in for it, so that a changed tool compiles the file again.
  DEPENDS host ${ORVALET_LANGUAGE_SOURCE} ${CMAKE_SOURCE_DIR}/tools/langtool/LangTool.cpp
          ${CMAKE_SOURCE_DIR}/tools/langtool/main.cpp ${CMAKE_SOURCE_DIR}/device/menu/LanguageTable.cpp
  COMMENT "Compiling the language file Orvalet.bin"
  VERBATIM)
add_custom_target(language_file ALL DEPENDS ${ORVALET_LANGUAGE_FILE})
