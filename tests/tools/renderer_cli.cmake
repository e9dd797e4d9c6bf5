# Command-line behaviour of veltrano-render, run as
#   cmake -DRENDER=<veltrano-render> -DWORK=<scratch folder> -P renderer_cli.cmake
# Exit codes: 2 for wrong arguments, 1 for unreadable input or unwritable
# output (and then no output file), 0 for a written picture.

if(NOT RENDER OR NOT WORK)
  message(FATAL_ERROR "RENDER and WORK must be set")
endif()
set(example ${CMAKE_CURRENT_LIST_DIR}/../../examples/benzoesaeure.cfd)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{QT_QPA_PLATFORM} offscreen)

set(failures 0)
function(check condition message)
  if(NOT ${condition})
    message(SEND_ERROR "renderer_cli: ${message}")
  endif()
endfunction()

# run(<expected exit code> <description> args...): runs the tool and checks
# its exit code; the output and error texts are left in out and err.
macro(run expected description)
  execute_process(COMMAND ${RENDER} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL "${expected}")
    message(SEND_ERROR "renderer_cli: ${description}: exit code ${code}, expected ${expected}\n${out}${err}")
  endif()
endmacro()

# Wrong arguments: a usage line, exit 2, nothing written.
run(2 "no arguments")
check("err MATCHES \"usage\"" "no usage line for missing arguments: ${err}")
run(2 "one argument" ${example})
run(2 "three arguments" ${example} ${WORK}/a.bmp ${WORK}/b.bmp)
run(2 "unknown output type" ${example} ${WORK}/picture.jpg)
check("NOT EXISTS ${WORK}/picture.jpg" "an output of unknown type was written")
check("NOT EXISTS ${WORK}/a.bmp" "wrong arguments wrote an output")

# Unreadable input: a message, exit 1, no output; an existing output stays.
run(1 "missing input" ${WORK}/missing.cfd ${WORK}/missing.bmp)
check("NOT err STREQUAL \"\"" "no message for a missing input")
check("NOT EXISTS ${WORK}/missing.bmp" "a missing input left an output file")
file(WRITE ${WORK}/kept.bmp "old picture")
run(1 "input is a folder" ${WORK} ${WORK}/kept.bmp)
file(READ ${WORK}/kept.bmp kept)
check("kept STREQUAL \"old picture\"" "a failed run changed an existing output")

# Unwritable output: a message, exit 1, nothing left behind.
run(1 "output folder missing" ${example} ${WORK}/no/such/folder/out.bmp)
check("NOT err STREQUAL \"\"" "no message for an unwritable output")
check("NOT EXISTS ${WORK}/no" "an unwritable output created something")

# Good runs: a 24-bit BMP of the whole page, and a PNG.
run(0 "bitmap output" ${example} ${WORK}/benzoesaeure.bmp)
check("EXISTS ${WORK}/benzoesaeure.bmp" "no bitmap written")
file(SIZE ${WORK}/benzoesaeure.bmp bmp_size)
math(EXPR expected_size "54 + 3600 * 1000")
check("bmp_size EQUAL ${expected_size}" "bitmap has ${bmp_size} bytes, expected ${expected_size}")
file(READ ${WORK}/benzoesaeure.bmp bmp_head LIMIT 2)
check("bmp_head STREQUAL \"BM\"" "bitmap does not start with BM")

run(0 "png output" ${example} ${WORK}/benzoesaeure.png)
check("EXISTS ${WORK}/benzoesaeure.png" "no PNG written")
file(READ ${WORK}/benzoesaeure.png png_head LIMIT 4 HEX)
check("png_head STREQUAL \"89504e47\"" "PNG output does not start with the PNG signature")

# An empty file is an empty document: a blank page.
file(WRITE ${WORK}/empty.cfd "")
run(0 "empty document" ${WORK}/empty.cfd ${WORK}/empty.bmp)
check("EXISTS ${WORK}/empty.bmp" "no bitmap for an empty document")
file(READ ${WORK}/empty.bmp blank_pixels OFFSET 54 LIMIT 12 HEX)
check("blank_pixels STREQUAL \"ffffffffffffffffffffffff\"" "empty document is not a white page")
