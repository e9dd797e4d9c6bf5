# The Debian package, run as
#   cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DWORK=<scratch folder>
#         -DVERSION=<project version> -P deb_package.cmake
# Builds it with cpack into WORK, reads its control fields and its file list
# with dpkg-deb, runs lintian on it where lintian is installed, unpacks it
# into WORK (it is never installed) and starts the unpacked program on an
# unpacked template.

cmake_policy(VERSION 3.25)
if(NOT BUILD OR NOT SOURCE OR NOT WORK OR NOT VERSION)
  message(FATAL_ERROR "BUILD, SOURCE, WORK and VERSION must be set")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/install_helpers.cmake)
set(check_name deb_package)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

need_tool(dpkg_deb dpkg-deb)
if(NOT dpkg_deb)
  finish()
  return()
endif()

get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
find_program(cpack cpack HINTS ${cmake_bin} REQUIRED)
execute_process(COMMAND ${cpack} --config ${BUILD}/CPackConfig.cmake -B ${WORK}/package
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB packages ${WORK}/package/*.deb)
list(LENGTH packages count)
if(NOT code EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "deb_package: cpack made ${count} packages (${code})\n${out}${err}")
endif()
get_filename_component(name ${packages} NAME)
if(NOT name MATCHES "^veltrano_${VERSION}-1_[a-z0-9]+\\.deb$")
  fail("the package is called ${name}")
endif()

# --- Control fields ---------------------------------------------------------
function(field key expected_regex)
  execute_process(COMMAND ${dpkg_deb} --field ${packages} ${key} OUTPUT_VARIABLE value
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT value MATCHES "${expected_regex}")
    fail("${key}: '${value}' does not match ${expected_regex}")
  endif()
endfunction()
field(Package "^veltrano$")
field(Version "^${VERSION}-1$")
field(Section "^science$")
field(Maintainer "^[^<]+ <[^@>]+@[^>]+>$")
field(Description "^editor for chemical structural formulas\n ")
# The Qt libraries and the C++ runtime, and what no library names: the fonts
# with the Windows fonts' metrics and Qt's German texts.
foreach(package libqt6widgets6 libqt6gui6 libqt6core6 libstdc\\+\\+6 fonts-liberation2 qt6-translations-l10n)
  field(Depends "(^|, )${package}( \\([^)]*\\))?(,|$)")
endforeach()
execute_process(COMMAND ${dpkg_deb} --info ${packages} OUTPUT_VARIABLE info)
# The desktop's caches are rebuilt by dpkg triggers; the package has no
# scripts of its own.
if(info MATCHES "postinst|postrm|preinst|prerm")
  fail("the package has maintainer scripts:\n${info}")
endif()

# --- Contents ---------------------------------------------------------------
execute_process(COMMAND ${dpkg_deb} --contents ${packages} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./[^\n ]*" paths "${listing}")
foreach(path ${paths})
  if(NOT path MATCHES "^\\./(usr/)?$" AND NOT path MATCHES "^\\./usr/(bin|share)/")
    fail("the package puts ${path} outside /usr/bin and /usr/share")
  endif()
endforeach()
foreach(path ./usr/bin/veltrano ./usr/bin/veltrano-render)
  if(NOT path IN_LIST paths)
    fail("the package lacks ${path}")
  endif()
endforeach()

set(root ${WORK}/root)
execute_process(COMMAND ${dpkg_deb} --extract ${packages} ${root} RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "deb_package: dpkg-deb --extract failed (${code})")
endif()
check_same_files(${SOURCE}/data/struk ${root}/usr/share/veltrano/struk "*.cfd" 46)
check_installed_data(${root}/usr/share)

# --- lintian, where it is installed: errors fail, warnings are shown -------
find_program(lintian lintian)
if(lintian)
  execute_process(COMMAND ${lintian} --tag-display-limit 0 ${packages} OUTPUT_VARIABLE out ERROR_QUIET)
  message("lintian:\n${out}")
  if(out MATCHES "(^|\n)E: ")
    fail("lintian reports errors:\n${out}")
  endif()
endif()

# --- The unpacked program ---------------------------------------------------
start_program(${root}/usr/bin/veltrano ${WORK}/run ${root}/usr/share/veltrano/struk/40pregnan.cfd)

finish()
