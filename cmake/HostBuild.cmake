# The platform-free code also builds natively for the build machine: the
# template packer runs there, and the native unit tests run beside the
# Windows ones in the same ctest run.
include(ExternalProject)
set(TESSALY_HOST_DIR ${CMAKE_BINARY_DIR}/host)
# Without tests only the packer is wanted of it.
set(host_build_command)
if(NOT TESSALY_BUILD_TESTS)
  set(host_build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target tessaly_pack)
endif()
ExternalProject_Add(host_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TESSALY_HOST_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DTESSALY_BUILD_TESTS=${TESSALY_BUILD_TESTS}
  ${host_build_command}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${TESSALY_HOST_DIR}/tools/tessaly_pack
  USES_TERMINAL_BUILD ON)

if(NOT TESSALY_BUILD_TESTS)
  return()
endif()
# Whatever tests the native build registers run in this ctest run as well.
set(host_tests ${CMAKE_BINARY_DIR}/host_tests.cmake)
file(WRITE ${host_tests} "subdirs(\"${TESSALY_HOST_DIR}\")\n")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES ${host_tests})

# The fuzz build: the same platform-free code under libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer, compiled by clang from a
# GBK copy of the sources (clang cannot turn UTF-8 literals into GBK). The
# copy is refreshed before every build; only changed files are rewritten.
set(TESSALY_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
set(TESSALY_FUZZ_SOURCE ${TESSALY_FUZZ_DIR}/source)
set(TESSALY_GBK_MIRROR bash ${PROJECT_SOURCE_DIR}/scripts/gbk-mirror.sh ${PROJECT_SOURCE_DIR} ${TESSALY_FUZZ_SOURCE})
ExternalProject_Add(fuzz_build
  SOURCE_DIR ${TESSALY_FUZZ_SOURCE}
  BINARY_DIR ${TESSALY_FUZZ_DIR}/build
  DOWNLOAD_COMMAND ${TESSALY_GBK_MIRROR}
  CMAKE_ARGS -DTESSALY_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
ExternalProject_Add_Step(fuzz_build refresh_sources
  COMMAND ${TESSALY_GBK_MIRROR}
  DEPENDEES configure DEPENDERS build ALWAYS ON)

# Each target runs a few seconds over its seeds and regression inputs; a
# long run is `bash scripts/fuzz.sh --seconds 600`.
include(cmake/FuzzTargets.cmake)
foreach(name IN LISTS TESSALY_FUZZ_TARGETS)
  add_test(NAME fuzz_${name} COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh --seconds 3 ${name})
endforeach()
