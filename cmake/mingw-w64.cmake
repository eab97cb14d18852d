# Cross-build for 64-bit Win32 with mingw-w64 (the -posix thread model: the
# tests' GoogleTest needs std::mutex). The emulated Pocket PC is a 64-bit Wine
# prefix: this machine's kernel runs no 32-bit user code, so Wine's 32-bit
# loader cannot start here. The device's own 32-bit ARM build is the fidelity
# build (cmake/ce/). Cross-built tests run under Wine, in the emulated Pocket
# PC, through the emulator's exec verb.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../emulator/pocketpc;exec)
