# Options every target of the project shares.

# Sources are UTF-8; the program's texts are GBK (code page 936) bytes.
# Clang cannot convert literals, so the fuzz build compiles a GBK copy of the
# sources (scripts/gbk-mirror.sh) whose literals clang keeps byte for byte.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(TESSALY_TEXT_OPTIONS -Wno-invalid-source-encoding)
else()
  set(TESSALY_TEXT_OPTIONS -finput-charset=UTF-8 -fexec-charset=GBK)
endif()

add_library(tessaly_options INTERFACE)
target_compile_options(tessaly_options INTERFACE
  "$<$<COMPILE_LANGUAGE:C,CXX>:${TESSALY_TEXT_OPTIONS};-Wall;-Wextra;-Wno-missing-field-initializers>")
target_include_directories(tessaly_options INTERFACE ${PROJECT_SOURCE_DIR})

if(WIN32)
  target_compile_definitions(tessaly_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # One self-contained executable: no DLL of ours, not even the C++ runtime.
  target_link_options(tessaly_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

# The sanitized reader tests look for reads outside the blocks they are
# handed; leak checking needs ptrace, which many containers forbid.
set(TESSALY_ASAN_ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
