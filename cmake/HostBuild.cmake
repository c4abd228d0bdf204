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
add_test(NAME native_core_tests COMMAND ${TESSALY_HOST_DIR}/tests/core/core_tests)
add_test(NAME native_ui_tests COMMAND ${TESSALY_HOST_DIR}/tests/ui/ui_tests)
add_test(NAME native_packer_tests COMMAND ${TESSALY_HOST_DIR}/tests/ui/packer_tests)
add_test(NAME native_command_tests COMMAND ${TESSALY_HOST_DIR}/tests/commands/command_tests)
add_test(NAME native_caption_store_tests COMMAND ${TESSALY_HOST_DIR}/tests/app/caption_store_tests)
add_test(NAME native_regex_engine_tests COMMAND ${TESSALY_HOST_DIR}/tests/automation/regex_engine_tests)
add_test(NAME native_ui_reader_asan_tests COMMAND ${TESSALY_HOST_DIR}/tests/ui/ui_reader_asan_tests)
set_tests_properties(native_ui_reader_asan_tests PROPERTIES ENVIRONMENT "${TESSALY_ASAN_ENVIRONMENT}")
