# The fidelity build: the device deliverables compiled a second time, as the
# device sees them, and linked against nothing but the export lists of the CE
# modules they may use (the .def files beside this one).
#
# clang compiles each source for 32-bit ARM Windows with _WIN32_WCE defined,
# so the device side of the platform header is what gets compiled, over the
# mingw-w64 headers (the CE SDK's own are not to be had here) and
# emulator/include/CeServices.h for what those lack. lld-link then links the
# objects with /nodefaultlib against import libraries made from the .def files
# only: a call of a function that CE does not export under that name, or
# exports from another module, is an undefined symbol and fails the build.
#
# The image is no device program: CE runs ARMv4 code and has a subsystem of
# its own, which lld knows nothing of. It proves the calls; it is never run.

find_program(CE_CLANG NAMES clang++-14 clang++ REQUIRED)
find_program(CE_LLD_LINK NAMES lld-link-14 lld-link REQUIRED)
find_program(CE_DLLTOOL NAMES llvm-dlltool-14 llvm-dlltool REQUIRED)

set(CE_DIR ${CMAKE_SOURCE_DIR}/cmake/ce)
set(CE_BINARY_DIR ${CMAKE_BINARY_DIR}/ce)
file(MAKE_DIRECTORY ${CE_BINARY_DIR})

# The headers: clang's own, the C++ library headers of the mingw-w64 compiler
# (for <new>), and the mingw-w64 Win32 headers, which serve an ARM target too.
execute_process(COMMAND ${CE_CLANG} -print-resource-dir OUTPUT_VARIABLE CE_CLANG_RESOURCES
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CE_SYSTEM_INCLUDES ${CE_CLANG_RESOURCES}/include)
foreach(dir ${CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES})
  if(dir MATCHES "/c\\+\\+(/|$)")
    list(APPEND CE_SYSTEM_INCLUDES ${dir})
  endif()
endforeach()
list(APPEND CE_SYSTEM_INCLUDES ${CMAKE_FIND_ROOT_PATH}/include)
list(TRANSFORM CE_SYSTEM_INCLUDES PREPEND -isystem)

# As a CE 4.2 project compiles (WINVER is the CE version there); the desktop
# headers are held at the NT 4 level so that they declare fewer desktop-only
# things. Code generation as for the device: no exceptions, no RTTI.
set(CE_COMPILE_FLAGS --target=armv7-w64-windows-gnu -nostdinc ${CE_SYSTEM_INCLUDES}
    -D_WIN32_WCE=0x420 -DUNDER_CE=0x420 -DWINVER=0x420 -D_WIN32_WINNT=0x400
    -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
    -fno-exceptions -fno-rtti -Os -Wall -Wextra -Wno-unused-parameter
    -I${CMAKE_SOURCE_DIR}/device -I${CMAKE_SOURCE_DIR}/emulator/include)

# One import library per CE module.
set(CE_IMPORT_LIBRARIES)
foreach(module coredll aygshell commctrl commdlg iphlpapi)
  set(library ${CE_BINARY_DIR}/${module}.lib)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CE_DLLTOOL} -m arm -d ${CE_DIR}/${module}.def -l ${library}
    DEPENDS ${CE_DIR}/${module}.def
    COMMENT "Fidelity build: import library of ${module}.dll"
    VERBATIM)
  list(APPEND CE_IMPORT_LIBRARIES ${library})
endforeach()

# Compiles one object of the fidelity build; its header dependencies come from
# clang's depfile, so that a change in any header the source includes rebuilds it.
function(ce_compile source object includes)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CE_CLANG} ${CE_COMPILE_FLAGS} ${includes} -MD -MF ${object}.d -c ${source}
            -o ${object}
    DEPENDS ${source}
    DEPFILE ${object}.d
    COMMENT "Fidelity build: ${source}"
    VERBATIM)
endfunction()

# What a CE program links statically from its toolchain (CeRuntime.cpp).
set(CE_RUNTIME_OBJECT ${CE_BINARY_DIR}/CeRuntime.obj)
ce_compile(${CE_DIR}/CeRuntime.cpp ${CE_RUNTIME_OBJECT} "")

# ce_fidelity_image(NAME PROGRAM|LIBRARY SOURCE_DIR [INCLUDE dir...] [DEF file]):
# the fidelity image of one device deliverable, from every .cpp of SOURCE_DIR,
# built as part of the normal build; a library's exports come from its DEF.
function(ce_fidelity_image name kind source_dir)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "DEF" "INCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*.cpp)
  set(includes -I${source_dir})
  foreach(dir ${arg_INCLUDE})
    list(APPEND includes -I${dir})
  endforeach()
  set(objects)
  foreach(source ${sources})
    get_filename_component(stem ${source} NAME_WE)
    set(object ${CE_BINARY_DIR}/${name}/${stem}.obj)
    ce_compile(${source} ${object} "${includes}")
    list(APPEND objects ${object})
  endforeach()
  file(MAKE_DIRECTORY ${CE_BINARY_DIR}/${name})
  if(kind STREQUAL PROGRAM)
    set(image ${CE_BINARY_DIR}/${name}.exe)
    set(kind_flags /subsystem:windows /entry:WinMain)
  elseif(kind STREQUAL LIBRARY)
    set(image ${CE_BINARY_DIR}/${name}.dll)
    set(kind_flags /dll /noentry)
    if(arg_DEF)
      list(APPEND kind_flags /def:${arg_DEF})
    endif()
  else()
    message(FATAL_ERROR "ce_fidelity_image: ${kind} is neither PROGRAM nor LIBRARY")
  endif()
  add_custom_command(OUTPUT ${image}
    COMMAND ${CE_LLD_LINK} /nologo /machine:arm /nodefaultlib ${kind_flags} /out:${image}
            ${objects} ${CE_RUNTIME_OBJECT} ${CE_IMPORT_LIBRARIES}
    DEPENDS ${objects} ${CE_RUNTIME_OBJECT} ${CE_IMPORT_LIBRARIES} ${arg_DEF}
    COMMENT "Fidelity build: linking ${name} against the CE modules' exports"
    VERBATIM)
  add_custom_target(ce_fidelity_${name} ALL DEPENDS ${image})
endfunction()

# The device deliverables.
ce_fidelity_image(Orvalet PROGRAM ${CMAKE_SOURCE_DIR}/device/menu
                  INCLUDE ${CMAKE_SOURCE_DIR}/resources/menu)
ce_fidelity_image(OrvaletSetup LIBRARY ${CMAKE_SOURCE_DIR}/device/setup
                  DEF ${CMAKE_SOURCE_DIR}/device/setup/OrvaletSetup.def)
