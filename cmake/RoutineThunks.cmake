# A program's code base: a table of 16-byte thunks, thunk i jumping through
# entry i of a routine table the program fills in C++. Event routine words
# in the template block are offsets from the first thunk (i * 16), and the
# first thunk is the start routine.
#
#   tessaly_routine_thunks(<target> <count> <symbol>)
# adds to <target> an assembly source defining `<symbol>_thunks` (the code
# base) that jumps through `<symbol>_table`, an array of <count> pointers the
# target defines.
function(tessaly_routine_thunks target count symbol)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${symbol}_thunks.S)
  set(text "# Generated: ${count} routine thunks of 16 bytes each.\n")
  string(APPEND text "    .text\n    .p2align 4\n    .globl ${symbol}_thunks\n${symbol}_thunks:\n")
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    math(EXPR offset "${i} * 8")
    string(APPEND text "    .p2align 4\n    jmp *${symbol}_table+${offset}(%rip)\n")
  endforeach()
  file(WRITE ${source}.in "${text}")
  configure_file(${source}.in ${source} COPYONLY)
  target_sources(${target} PRIVATE ${source})
endfunction()
