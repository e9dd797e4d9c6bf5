# Starts the window program on the X11 platform with no display to reach.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ${PROGRAM}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "exit status ${status}, expected 1; stderr:\n${errors}")
endif()
if(NOT errors MATCHES "^veltrano: Keine grafische Anzeige erreichbar[^\n]*\n$")
  message(FATAL_ERROR "expected one German line on stderr, got:\n${errors}")
endif()
