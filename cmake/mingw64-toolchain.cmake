# Cross-compiles for 64-bit Windows with the posix thread model of MinGW-w64
# (GoogleTest needs std::mutex, which the win32 thread model of GCC 12 lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_STRIP ${TOOLCHAIN_PREFIX}-strip)

# The target's own builds of dependencies, where scripts/setup.sh puts them.
set(TESSALY_DEPS_PREFIX /opt/tessaly/mingw64)
if(DEFINED ENV{TESSALY_DEPS})
  set(TESSALY_DEPS_PREFIX $ENV{TESSALY_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} ${TESSALY_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows test programs run through Wine; scripts/wine-run supplies the prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
