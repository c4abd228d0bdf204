# The template block, packed from the readable window description at build
# time: a library holding the block as a byte array
# (#include "resources/window_template_block.h"), and the generated header
# that lists the program's routines in thunk order
# (#include "app/routine_names.h").
set(TESSALY_TEMPLATE_DIR ${CMAKE_BINARY_DIR}/generated)
set(TESSALY_TEMPLATE_SOURCE ${TESSALY_TEMPLATE_DIR}/window_template_block.cpp)
set(TESSALY_BLOCK_HEADER ${TESSALY_TEMPLATE_DIR}/include/resources/window_template_block.h)
set(TESSALY_ROUTINE_HEADER ${TESSALY_TEMPLATE_DIR}/include/app/routine_names.h)
set(TESSALY_TEMPLATE_INPUTS
  ${PROJECT_SOURCE_DIR}/resources/windows.txt
  ${PROJECT_SOURCE_DIR}/resources/tessaly.ico
  ${PROJECT_SOURCE_DIR}/resources/logo.png)

# How many routines the description lists: the size of each thunk table.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/windows.txt)
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/windows.txt description_lines)
set(in_routines FALSE)
set(TESSALY_ROUTINE_COUNT 0)
foreach(line IN LISTS description_lines)
  string(STRIP "${line}" line)
  if(line MATCHES "^\\[")
    set(in_routines FALSE)
    if(line STREQUAL "[routines]")
      set(in_routines TRUE)
    endif()
  elseif(in_routines AND NOT line STREQUAL "" AND NOT line MATCHES "^#")
    math(EXPR TESSALY_ROUTINE_COUNT "${TESSALY_ROUTINE_COUNT} + 1")
  endif()
endforeach()

if(WIN32)
  # The packer is a build-machine program: the host build makes it.
  set(TESSALY_PACKER ${TESSALY_HOST_DIR}/tools/tessaly_pack)
  set(TESSALY_PACKER_TARGET host_build)
else()
  set(TESSALY_PACKER $<TARGET_FILE:tessaly_pack>)
  set(TESSALY_PACKER_TARGET tessaly_pack)
endif()

add_custom_command(
  OUTPUT ${TESSALY_TEMPLATE_SOURCE} ${TESSALY_BLOCK_HEADER} ${TESSALY_ROUTINE_HEADER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALY_TEMPLATE_DIR}/include/resources ${TESSALY_TEMPLATE_DIR}/include/app
  COMMAND ${TESSALY_PACKER} ${PROJECT_SOURCE_DIR}/resources/windows.txt
          ${TESSALY_TEMPLATE_SOURCE} ${TESSALY_BLOCK_HEADER} ${TESSALY_ROUTINE_HEADER}
          version=${PROJECT_VERSION}
  DEPENDS ${TESSALY_PACKER_TARGET} ${TESSALY_PACKER} ${TESSALY_TEMPLATE_INPUTS}
  COMMENT "Packing the window templates"
  VERBATIM)

add_library(tessaly_window_templates STATIC
  ${TESSALY_TEMPLATE_SOURCE} ${TESSALY_BLOCK_HEADER} ${TESSALY_ROUTINE_HEADER})
target_link_libraries(tessaly_window_templates PUBLIC tessaly_options)
target_include_directories(tessaly_window_templates PUBLIC ${TESSALY_TEMPLATE_DIR}/include)
