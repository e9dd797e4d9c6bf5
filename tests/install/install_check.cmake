# The installation as a desktop sees it, run as
#   cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DWORK=<scratch folder> -P install_check.cmake
# Installs the build into a scratch prefix, checks what lies where, lets the
# freedesktop tools validate the desktop entry, the AppStream metainfo and
# the MIME package, and starts the installed program on an installed
# template. Nothing is written outside WORK: the program's working folder,
# its file-type registration and its runtime folder are all redirected.
#
# A missing validation tool skips its check; the test then reports itself
# skipped (its last line says "install_check: SKIPPED") unless a check failed.

cmake_policy(VERSION 3.25)
if(NOT BUILD OR NOT SOURCE OR NOT WORK)
  message(FATAL_ERROR "BUILD, SOURCE and WORK must be set")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/install_helpers.cmake)
set(check_name install_check)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(prefix ${WORK}/prefix)
set(share ${prefix}/share)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "install_check: cmake --install failed (${code})\n${out}${err}")
endif()

# --- What lies where --------------------------------------------------------
file(GLOB programs RELATIVE ${prefix}/bin ${prefix}/bin/*)
list(SORT programs)
if(NOT programs STREQUAL "veltrano;veltrano-render")
  fail("bin/ holds ${programs}, expected veltrano and veltrano-render")
endif()
check_same_files(${SOURCE}/data/struk ${share}/veltrano/struk "*.cfd" 46)
check_installed_data(${share})

# --- The desktop entry ------------------------------------------------------
set(entry ${share}/applications/veltrano.desktop)
desktop_value(${entry} Exec exec)
if(NOT exec STREQUAL "veltrano %f")
  fail("the desktop entry starts '${exec}', expected 'veltrano %f'")
endif()
validate_desktop_entry(${entry})

# --- The AppStream metainfo -------------------------------------------------
validate_metainfo(${share})

# --- The MIME package -------------------------------------------------------
check_mime_database(${share})

# --- The installed program --------------------------------------------------
# It opens an installed template: the template becomes its working document
# (temp.dat in its WorkDir), and the window's picture is saved.
set(template ${share}/veltrano/struk/30benzol1.cfd)
start_program(${prefix}/bin/veltrano ${WORK}/run-prefix ${template})
check_registration_agrees(${WORK}/run-prefix/xdg ${share} ${prefix}/bin/veltrano)

execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
  ${prefix}/bin/veltrano-render ${template} ${WORK}/template.bmp
  RESULT_VARIABLE code ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT EXISTS ${WORK}/template.bmp)
  fail("the installed veltrano-render did not draw the template (${code}): ${err}")
endif()

finish()
