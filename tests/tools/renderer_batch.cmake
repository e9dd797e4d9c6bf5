# veltrano-render as a converter, run as
#   cmake -DRENDER=<veltrano-render> -DWORK=<scratch folder> -DVERSION=<x.y> -P renderer_batch.cmake
# --help and --version, the vector formats, --scale, and a batch into a
# folder with broken inputs among good ones.

if(NOT RENDER OR NOT WORK)
  message(FATAL_ERROR "RENDER and WORK must be set")
endif()
set(example ${CMAKE_CURRENT_LIST_DIR}/../../examples/benzoesaeure.cfd)
set(templates ${CMAKE_CURRENT_LIST_DIR}/../../data/struk)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{QT_QPA_PLATFORM} offscreen)

function(fail message)
  message(SEND_ERROR "renderer_batch: ${message}")
endfunction()

macro(run expected description)
  execute_process(COMMAND ${RENDER} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL "${expected}")
    message(SEND_ERROR "renderer_batch: ${description}: exit code ${code}, expected ${expected}\n${out}${err}")
  endif()
endmacro()

# --help and --version answer on standard output and succeed.
run(0 "help" --help)
if(NOT (out MATCHES "usage: veltrano-render" AND out MATCHES "--out-dir" AND out MATCHES "--scale"))
  fail("--help does not describe the options: ${out}")
endif()
run(0 "version" --version)
if(NOT (out STREQUAL "veltrano-render ${VERSION}\n"))
  fail("--version says: ${out}")
endif()
run(2 "unknown option" --bunt ${example} ${WORK}/x.svg)
if(NOT (err MATCHES "unknown option --bunt" AND err MATCHES "usage"))
  fail("no reason for an unknown option: ${err}")
endif()
run(2 "--scale on a vector output" --scale 2 ${example} ${WORK}/x.svg)
if(EXISTS ${WORK}/x.svg)
  fail("wrong arguments wrote an output")
endif()

# One file to each vector format, the format taken from the extension.
run(0 "svg output" --fit ${example} ${WORK}/fitted.svg)
file(READ ${WORK}/fitted.svg svg)
if(NOT (svg MATCHES "<svg"))
  fail("the SVG output is no SVG document")
endif()
run(0 "pdf output" ${example} ${WORK}/page.PDF)
file(READ ${WORK}/page.PDF pdf_head LIMIT 4 HEX)
if(NOT (pdf_head STREQUAL "25504446"))
  fail("the PDF output does not start with %PDF")
endif()

# --scale 3 with --fit: three times the size of the plain fitted picture
# (within the pixel the vector cut-out may differ by).
run(0 "png at scale 1" --fit ${example} ${WORK}/one.png)
run(0 "png at scale 3" --fit --scale 3 ${example} ${WORK}/three.png)
foreach(name one three)
  file(READ ${WORK}/${name}.png header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 width_hex)
  math(EXPR ${name}_width "0x${width_hex}")
endforeach()
math(EXPR low "3 * ${one_width} - 6")
math(EXPR high "3 * ${one_width} + 6")
if(three_width LESS low OR three_width GREATER high)
  fail("--scale 3 gives a width of ${three_width} for ${one_width}")
endif()

# A batch into a folder that does not exist yet, with a missing input and a
# folder among good inputs: the good ones are written, the broken ones
# named, and the exit status says that something failed.
file(MAKE_DIRECTORY ${WORK}/Kaputt.cfd)
file(GLOB good_inputs ${templates}/30*.cfd)
list(LENGTH good_inputs good_count)
if(good_count LESS 10)
  fail("the templates are missing: ${good_count}")
endif()
run(1 "batch with broken inputs" --out-dir ${WORK}/svg --format svg
  ${example} ${WORK}/Fehlt.cfd ${WORK}/Kaputt.cfd ${good_inputs})
if(NOT (err MATCHES "Fehlt.cfd: Datei nicht gefunden" AND err MATCHES "Kaputt.cfd: "))
  fail("the broken inputs are not named: ${err}")
endif()
file(GLOB written RELATIVE ${WORK}/svg ${WORK}/svg/*)
list(LENGTH written written_count)
math(EXPR expected_count "${good_count} + 1")
if(NOT written_count EQUAL expected_count)
  fail("${written_count} outputs for ${expected_count} good inputs: ${written}")
endif()
if(NOT EXISTS ${WORK}/svg/benzoesaeure.svg OR EXISTS ${WORK}/svg/Fehlt.svg OR EXISTS ${WORK}/svg/Kaputt.svg)
  fail("the outputs are not named after their inputs: ${written}")
endif()
# Not a terminal: no progress lines.
if(err MATCHES "\\[1/")
  fail("progress lines without a terminal: ${err}")
endif()

run(0 "batch of good inputs" --fit --out-dir ${WORK}/pdf --format pdf ${example})
if(NOT EXISTS ${WORK}/pdf/benzoesaeure.pdf)
  fail("no PDF from the batch")
endif()

# With a terminal (script(1) gives one) every file gets a progress line.
find_program(SCRIPT_PROGRAM script)
if(SCRIPT_PROGRAM)
  execute_process(COMMAND ${SCRIPT_PROGRAM} -qec "${RENDER} --out-dir ${WORK}/tty --format png ${example} ${WORK}/Fehlt.cfd" /dev/null
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT (out MATCHES "\\[1/2\\] [^\n]*benzoesaeure.cfd -> [^\n]*tty/benzoesaeure.png" AND out MATCHES "\\[2/2\\]"))
    fail("no progress lines on a terminal: ${out}")
  endif()
  if(NOT code STREQUAL "1")
    fail("a failed file under a terminal: exit code ${code}")
  endif()
endif()
