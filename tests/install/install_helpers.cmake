# Checks shared by install_check.cmake and deb_package.cmake. The caller
# sets check_name and WORK, and ends with finish().

# A failed check: reported at once, counted for finish().
function(fail message)
  message(SEND_ERROR "${check_name}: ${message}")
  set_property(GLOBAL APPEND PROPERTY veltrano_check_failures "${message}")
endfunction()

# The program `name` in `var`, or an empty `var` and the tool noted as
# missing.
function(need_tool var name)
  find_program(${var} ${name})
  if(NOT ${var})
    set_property(GLOBAL APPEND PROPERTY veltrano_check_missing ${name})
    set(${var} "" PARENT_SCOPE)
  endif()
endfunction()

# The last line: passed, or skipped when a tool was missing and nothing
# failed. A failure has already made the script fail.
function(finish)
  get_property(failures GLOBAL PROPERTY veltrano_check_failures)
  get_property(missing GLOBAL PROPERTY veltrano_check_missing)
  if(failures)
    return()
  endif()
  if(missing)
    list(REMOVE_DUPLICATES missing)
    message("${check_name}: SKIPPED: missing ${missing}")
  else()
    message("${check_name}: all checks passed")
  endif()
endfunction()

# Width and height of a PNG file; 0 and 0 when it is no PNG.
function(png_size path width_var height_var)
  set(width 0)
  set(height 0)
  if(EXISTS ${path})
    file(READ ${path} header LIMIT 24 HEX)
    if(header MATCHES "^89504e470d0a1a0a........49484452(........)(........)$")
      math(EXPR width "0x${CMAKE_MATCH_1}")
      math(EXPR height "0x${CMAKE_MATCH_2}")
    endif()
  endif()
  set(${width_var} ${width} PARENT_SCOPE)
  set(${height_var} ${height} PARENT_SCOPE)
endfunction()

# The value of `key` in a desktop entry.
function(desktop_value file key out)
  set(value "")
  if(EXISTS ${file})
    # Read whole: the values hold semicolons, which CMake's lists split at.
    file(READ ${file} text)
    if("\n${text}" MATCHES "\n${key}=([^\n]*)")
      set(value "${CMAKE_MATCH_1}")
    endif()
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The folder installed holds exactly the files of source matching pattern,
# count of them, byte for byte.
function(check_same_files source installed pattern count)
  file(GLOB expected RELATIVE ${source} ${source}/${pattern})
  file(GLOB present RELATIVE ${installed} ${installed}/${pattern})
  list(LENGTH present found)
  if(NOT found EQUAL count OR NOT expected STREQUAL present)
    fail("${installed} holds ${found} files ${pattern}, expected the ${count} of ${source}")
    return()
  endif()
  foreach(name ${expected})
    file(SHA256 ${source}/${name} want)
    file(SHA256 ${installed}/${name} have)
    if(NOT want STREQUAL have)
      fail("${installed}/${name} differs from ${source}/${name}")
    endif()
  endforeach()
endfunction()

# The help, the desktop files, the copyright file, changelog and manual
# pages, and the icons of the program and of the .cfd
# type in every theme size, under a data folder (share/).
function(check_installed_data share)
  foreach(file veltrano/hilfe/index.html veltrano/hilfe/hilfe.css applications/veltrano.desktop
      mime/packages/veltrano.xml metainfo/io.github.veltrano.veltrano.metainfo.xml
      icons/hicolor/scalable/apps/veltrano.svg icons/hicolor/scalable/mimetypes/application-x-cfdfile.svg
      doc/veltrano/copyright doc/veltrano/changelog.Debian.gz man/man1/veltrano.1.gz man/man1/veltrano-render.1.gz)
    if(NOT EXISTS ${share}/${file})
      fail("${file} is not installed")
    endif()
  endforeach()
  file(GLOB pictures ${share}/veltrano/hilfe/bilder/*.png)
  list(LENGTH pictures count)
  if(count LESS 5)
    fail("the help has ${count} pictures")
  endif()
  foreach(size 16 22 24 32 48 64 128 256)
    foreach(icon apps/veltrano mimetypes/application-x-cfdfile)
      set(path ${share}/icons/hicolor/${size}x${size}/${icon}.png)
      png_size(${path} width height)
      if(NOT width EQUAL size OR NOT height EQUAL size)
        fail("${path} is ${width} x ${height}, expected ${size} x ${size}")
      endif()
    endforeach()
  endforeach()
endfunction()

function(validate_desktop_entry entry)
  need_tool(validator desktop-file-validate)
  if(NOT validator)
    return()
  endif()
  execute_process(COMMAND ${validator} ${entry} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  # Hints (such as one program in two main categories) are advice only.
  if(NOT code EQUAL 0 OR "${out}${err}" MATCHES "error|warning")
    fail("desktop-file-validate ${entry}:\n${out}${err}")
  endif()
endfunction()

# Valid for AppStream, launching the installed desktop entry and naming the
# installed MIME type.
function(validate_metainfo share)
  set(metainfo ${share}/metainfo/io.github.veltrano.veltrano.metainfo.xml)
  file(READ ${metainfo} text)
  # (Each match is tested apart: an if() expands its arguments before it
  # matches.)
  string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)</launchable>" launchable "${text}")
  if(NOT launchable OR NOT EXISTS ${share}/applications/${CMAKE_MATCH_1})
    fail("the metainfo launches no installed desktop entry: '${launchable}'")
  endif()
  desktop_value(${share}/applications/veltrano.desktop MimeType types)
  string(REGEX MATCH "<mediatype>([^<]*)</mediatype>" mediatype "${text}")
  if(NOT "${CMAKE_MATCH_1};" STREQUAL "${types}")
    fail("the metainfo names the type '${CMAKE_MATCH_1}', the desktop entry '${types}'")
  endif()
  need_tool(appstreamcli appstreamcli)
  if(NOT appstreamcli)
    return()
  endif()
  execute_process(COMMAND ${appstreamcli} validate --no-net ${metainfo}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    fail("appstreamcli validate --no-net ${metainfo}:\n${out}${err}")
  endif()
endfunction()

# The MIME database built from the installed package maps *.cfd to the type
# of the desktop entry, with its icon and its German description.
function(check_mime_database share)
  need_tool(updater update-mime-database)
  if(NOT updater)
    return()
  endif()
  execute_process(COMMAND ${updater} ${share}/mime RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    fail("update-mime-database ${share}/mime:\n${out}${err}")
    return()
  endif()
  desktop_value(${share}/applications/veltrano.desktop MimeType types)
  string(REGEX REPLACE ";$" "" type "${types}")
  file(STRINGS ${share}/mime/globs2 globs REGEX ":\\*\\.cfd$")
  if(NOT globs MATCHES "^[0-9]+:${type}:\\*\\.cfd$")
    fail("the MIME database maps *.cfd to '${globs}', expected ${type}")
  endif()
  file(STRINGS ${share}/mime/icons icons REGEX "^${type}:")
  string(REPLACE "/" "-" icon "${type}")
  if(NOT icons STREQUAL "${type}:${icon}")
    fail("the MIME database gives ${type} the icon '${icons}', expected ${icon}")
  endif()
  file(READ ${share}/mime/${type}.xml description)
  if(NOT description MATCHES "<comment xml:lang=\"de\">Strukturformel</comment>"
      OR NOT description MATCHES "<comment>Structural formula</comment>")
    fail("the MIME database describes ${type} as:\n${description}")
  endif()
endfunction()

# Starts the program headless on `document`, with its working folder, its
# registration and its runtime folder below `run`, and saves a picture of
# its window: the document becomes its working file, and the picture is a
# window-sized PNG.
function(start_program program run document)
  file(REMOVE_RECURSE ${run})
  file(MAKE_DIRECTORY ${run}/data ${run}/xdg ${run}/home ${run}/runtime)
  file(CHMOD ${run}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(picture ${run}/window.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
      HOME=${run}/home XDG_DATA_HOME=${run}/data XDG_RUNTIME_DIR=${run}/runtime
      VELTRANO_XDG_ROOT=${run}/xdg
      ${program} --screenshot ${picture} ${document}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT code EQUAL 0)
    fail("${program} on ${document} ended with ${code}\n${out}${err}")
  endif()
  png_size(${picture} width height)
  if(width LESS 700 OR height LESS 400)
    fail("the picture of the window is ${width} x ${height}")
  endif()
  set(working ${run}/data/veltrano/temp/temp.dat)
  if(NOT EXISTS ${working})
    fail("no working file ${working}")
    return()
  endif()
  file(SHA256 ${document} want)
  file(SHA256 ${working} have)
  if(NOT want STREQUAL have)
    fail("the working file is not the document ${document}")
  endif()
endfunction()

# A start as root registers the file type (into the redirected folder) under
# the names of the installed files; any other start writes nothing there.
function(check_registration_agrees root share program)
  execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(GLOB_RECURSE written ${root}/*)
  if(NOT user STREQUAL "0")
    if(written)
      fail("a start without administrator rights registered ${written}")
    endif()
    return()
  endif()
  set(registered ${root}/applications/veltrano.desktop)
  if(NOT EXISTS ${registered} OR NOT EXISTS ${root}/mime/packages/veltrano.xml)
    fail("a start as root registered other files: ${written}")
    return()
  endif()
  desktop_value(${registered} MimeType registered_types)
  desktop_value(${share}/applications/veltrano.desktop MimeType installed_types)
  if(NOT registered_types STREQUAL installed_types)
    fail("the registration names '${registered_types}', the installation '${installed_types}'")
  endif()
  desktop_value(${registered} Exec exec)
  get_filename_component(real ${program} REALPATH)
  if(NOT exec STREQUAL "\"${real}\" %f" AND NOT exec STREQUAL "\"${program}\" %f")
    fail("the registration starts '${exec}', expected ${program}")
  endif()
endfunction()
