# tessarin-report as a shell runs it: the bytes on standard output are those
# it writes to a file (no CR added on Windows), a raw EDID on standard input
# reads whole (no ^Z or CR LF taken as text), and file names outside ASCII
# and outside the ANSI code page name their files.
#   cmake -DTOOL=<exe> [-DEMULATOR=<wine>] -DEDID=<raw .bin> -DWORK=<dir> -P report_tool_streams.cmake
foreach(var TOOL EDID WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run_tool)
  cmake_parse_arguments(R "" "INPUT;OUTPUT" "ARGS" ${ARGN})
  set(redirect)
  if(R_INPUT)
    list(APPEND redirect INPUT_FILE "${R_INPUT}")
  endif()
  if(R_OUTPUT)
    list(APPEND redirect OUTPUT_FILE "${R_OUTPUT}")
  endif()
  execute_process(COMMAND ${EMULATOR} "${TOOL}" ${R_ARGS} ${redirect}
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tessarin-report ${R_ARGS} exited with ${status}: ${errors}")
  endif()
endfunction()

function(expect_same_bytes expected actual what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${expected}" "${actual}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${what}: ${actual} differs from ${expected}")
  endif()
endfunction()

# The .edd format ends its lines in CR LF: a text-mode stream would make
# them CR CR LF.
foreach(format edd rtf text)
  run_tool(ARGS --format ${format} --output "${WORK}/file.${format}" "${EDID}")
  run_tool(ARGS --format ${format} "${EDID}" OUTPUT "${WORK}/stdout.${format}")
  expect_same_bytes("${WORK}/file.${format}" "${WORK}/stdout.${format}" "--format ${format} on standard output")
  run_tool(ARGS --format ${format} - INPUT "${EDID}" OUTPUT "${WORK}/stdin.${format}")
  expect_same_bytes("${WORK}/file.${format}" "${WORK}/stdin.${format}" "a raw EDID on standard input")
endforeach()

# No ANSI code page holds all of these characters.
set(input "${WORK}/отчёт €.bin")
set(output "${WORK}/résumé ∆.edd")
file(COPY_FILE "${EDID}" "${input}")
run_tool(ARGS --format edd --output "${output}" "${input}")
expect_same_bytes("${WORK}/file.edd" "${output}" "names outside ASCII")
