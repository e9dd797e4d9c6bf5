# Command-line behaviour of veltrano-render, run as
#   cmake -DRENDER=<veltrano-render> -DWORK=<scratch folder> -P renderer_cli.cmake
# Exit codes: 2 for wrong arguments, 1 for unreadable input, unwritable
# output or exhausted memory (and then no output file), 0 for a written
# picture. SANITIZE=ON skips the memory-limit case.

if(NOT RENDER OR NOT WORK)
  message(FATAL_ERROR "RENDER and WORK must be set")
endif()
set(example ${CMAKE_CURRENT_LIST_DIR}/../../examples/benzoesaeure.cfd)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{QT_QPA_PLATFORM} offscreen)

function(fail message)
  message(SEND_ERROR "renderer_cli: ${message}")
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
if(NOT (err MATCHES "usage"))
  fail("no usage line for missing arguments: ${err}")
endif()
run(2 "one argument" ${example})
run(2 "three arguments" ${example} ${WORK}/a.bmp ${WORK}/b.bmp)
run(2 "unknown output type" ${example} ${WORK}/picture.jpg)
if(EXISTS ${WORK}/picture.jpg)
  fail("an output of unknown type was written")
endif()
if(EXISTS ${WORK}/a.bmp)
  fail("wrong arguments wrote an output")
endif()

# Unreadable input: a message, exit 1, no output; an existing output stays.
run(1 "missing input" ${WORK}/missing.cfd ${WORK}/missing.bmp)
if(err STREQUAL "")
  fail("no message for a missing input")
endif()
if(EXISTS ${WORK}/missing.bmp)
  fail("a missing input left an output file")
endif()
file(WRITE ${WORK}/kept.bmp "old picture")
run(1 "input is a folder" ${WORK} ${WORK}/kept.bmp)
file(READ ${WORK}/kept.bmp kept)
if(NOT (kept STREQUAL "old picture"))
  fail("a failed run changed an existing output")
endif()

# Unwritable output: a message, exit 1, nothing left behind.
run(1 "output folder missing" ${example} ${WORK}/no/such/folder/out.bmp)
if(err STREQUAL "")
  fail("no message for an unwritable output")
endif()
if(EXISTS ${WORK}/no)
  fail("an unwritable output created something")
endif()

file(MAKE_DIRECTORY ${WORK}/taken.bmp)
run(1 "output is a folder" ${example} ${WORK}/taken.bmp)
file(GLOB leftovers ${WORK}/taken.bmp?* ${WORK}/.taken.bmp* ${WORK}/.veltrano.part*)
if(leftovers)
  fail("a failed write left files behind: ${leftovers}")
endif()

# Outputs that are no ordinary file stay what they are: a FIFO, a device
# of the test's own (root only), and a link to either.
execute_process(COMMAND mkfifo ${WORK}/pipe.svg)
file(CREATE_LINK pipe.svg ${WORK}/to-pipe.svg SYMBOLIC)
set(special pipe.svg to-pipe.svg)
execute_process(COMMAND mknod ${WORK}/mynull c 1 3 RESULT_VARIABLE mknod_code ERROR_QUIET)
if(mknod_code EQUAL 0)
  file(CREATE_LINK mynull ${WORK}/b.svg SYMBOLIC)
  list(APPEND special b.svg)
endif()
foreach(name ${special})
  run(1 "output ${name} is no ordinary file" ${example} ${WORK}/${name})
  if(NOT (err MATCHES "„${name}“ ist keine gewöhnliche Datei"))
    fail("no clear message for ${name}: ${err}")
  endif()
endforeach()
execute_process(COMMAND sh -c "test -p pipe.svg && { test ! -e mynull || test -c mynull; }"
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE kind_code)
if(NOT kind_code EQUAL 0)
  fail("an output that is no ordinary file was replaced")
endif()
file(REMOVE ${WORK}/pipe.svg ${WORK}/to-pipe.svg ${WORK}/b.svg ${WORK}/mynull)

# A link planted under the name earlier versions gave the partial file
# redirects nothing: its target keeps its content.
file(WRITE ${WORK}/victim.txt "keep")
execute_process(COMMAND sh -c "ln -s victim.txt g.svg.part$$ && exec \"$0\" \"$1\" g.svg" ${RENDER} ${example}
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code ERROR_VARIABLE err)
file(READ ${WORK}/victim.txt victim)
if(NOT code EQUAL 0 OR NOT (victim STREQUAL "keep") OR IS_SYMLINK ${WORK}/g.svg)
  fail("a planted partial-file link was followed (exit ${code}): ${err}")
endif()
file(GLOB planted ${WORK}/g.svg.part*)
file(REMOVE ${WORK}/victim.txt ${WORK}/g.svg ${planted})

# Good runs: a 24-bit BMP of the whole page, and a PNG.
run(0 "bitmap output" ${example} ${WORK}/benzoesaeure.bmp)
if(NOT (EXISTS ${WORK}/benzoesaeure.bmp))
  fail("no bitmap written")
endif()
file(SIZE ${WORK}/benzoesaeure.bmp bmp_size)
math(EXPR expected_size "54 + 3600 * 1000")
if(NOT (bmp_size EQUAL ${expected_size}))
  fail("bitmap has ${bmp_size} bytes, expected ${expected_size}")
endif()
file(READ ${WORK}/benzoesaeure.bmp bmp_head LIMIT 2)
if(NOT (bmp_head STREQUAL "BM"))
  fail("bitmap does not start with BM")
endif()

run(0 "png output" ${example} ${WORK}/benzoesaeure.png)
if(NOT (EXISTS ${WORK}/benzoesaeure.png))
  fail("no PNG written")
endif()
file(READ ${WORK}/benzoesaeure.png png_head LIMIT 4 HEX)
if(NOT (png_head STREQUAL "89504e47"))
  fail("PNG output does not start with the PNG signature")
endif()

# An empty file is an empty document: a blank page.
file(WRITE ${WORK}/empty.cfd "")
run(0 "empty document" ${WORK}/empty.cfd ${WORK}/empty.bmp)
if(NOT (EXISTS ${WORK}/empty.bmp))
  fail("no bitmap for an empty document")
endif()
file(READ ${WORK}/empty.bmp blank_pixels OFFSET 54 LIMIT 12 HEX)
if(NOT (blank_pixels STREQUAL "ffffffffffffffffffffffff"))
  fail("empty document is not a white page")
endif()

# --fit writes the cut-out: smaller than the page, with its margin.
run(0 "fitted picture" --fit ${example} ${WORK}/fitted.bmp)
file(READ ${WORK}/fitted.bmp header OFFSET 18 LIMIT 8 HEX)
string(SUBSTRING "${header}" 0 8 width_hex)
string(SUBSTRING "${header}" 8 8 height_hex)
foreach(part width height)
  # Little-endian 32-bit values; the cut-out of the example is far below 65536.
  string(SUBSTRING "${${part}_hex}" 0 2 low)
  string(SUBSTRING "${${part}_hex}" 2 2 high)
  math(EXPR ${part} "0x${high}${low}")
endforeach()
if(width LESS 21 OR width GREATER_EQUAL 1200 OR height LESS 21 OR height GREATER_EQUAL 1000)
  fail("the fitted picture is ${width} x ${height}")
endif()
run(2 "--fit after the input" ${example} --fit ${WORK}/late.bmp)

# A text named like a formula file is no drawing: refused with its reason
# and exit 1, unless --force converts it anyway.
file(WRITE ${WORK}/notiz.cfd "Einkaufsliste: Natron, Essig, Zitronensaeure, Kochsalz und Backpulver.\n")
run(1 "a text as input" ${WORK}/notiz.cfd ${WORK}/notiz.png)
if(NOT (err MATCHES "notiz.cfd: sieht nicht wie eine Formeldatei aus: nur 0 von 2 Elementen haben eine bekannte Art"))
  fail("no reason for refusing a text: ${err}")
endif()
if(EXISTS ${WORK}/notiz.png)
  fail("a refused input was converted")
endif()
run(0 "a text forced" --force ${WORK}/notiz.cfd ${WORK}/notiz.png)
if(NOT EXISTS ${WORK}/notiz.png)
  fail("--force wrote no output")
endif()

# Out of memory: under a limit of 250 MB of address space the example still
# renders, but a 250 MB document cannot be held; the tool says so in German
# and exits with 1, leaving no output. (Skipped in sanitizer builds, whose
# shadow memory needs far more address space than any such limit.)
if(NOT SANITIZE)
  find_program(SHELL_PROGRAM sh)
  find_program(TRUNCATE_PROGRAM truncate)
  if(NOT SHELL_PROGRAM OR NOT TRUNCATE_PROGRAM)
    fail("sh and truncate are needed for the memory test")
  else()
    execute_process(COMMAND ${TRUNCATE_PROGRAM} -s 250M ${WORK}/huge.cfd RESULT_VARIABLE made)
    set(limited ${SHELL_PROGRAM} -c "ulimit -v 250000 && exec \"$0\" \"$@\"" ${RENDER})
    execute_process(COMMAND ${limited} ${example} ${WORK}/limited.bmp RESULT_VARIABLE code ERROR_VARIABLE err)
    if(NOT code STREQUAL "0")
      fail("the example does not render under the memory limit: ${code} ${err}")
    endif()
    execute_process(COMMAND ${limited} ${WORK}/huge.cfd ${WORK}/huge.bmp RESULT_VARIABLE code ERROR_VARIABLE err)
    if(NOT code STREQUAL "1")
      fail("a document too large for memory: exit code ${code}, expected 1\n${err}")
    endif()
    if(NOT (err MATCHES "Zu wenig Arbeitsspeicher\\."))
      fail("no German out-of-memory message: ${err}")
    endif()
    if(EXISTS ${WORK}/huge.bmp)
      fail("a run out of memory left an output file")
    endif()
    file(REMOVE ${WORK}/huge.cfd)
  endif()
endif()
