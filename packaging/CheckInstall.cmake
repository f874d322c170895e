# Installs the build into a fresh staging prefix and checks that everything
# lands where a desktop looks for it.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/tessaline
    bin/tessaline-cli
    bin/quorex-sim
    share/applications/org.tessaline.Tessaline.desktop
    share/icons/hicolor/scalable/apps/org.tessaline.Tessaline.svg
    share/metainfo/org.tessaline.Tessaline.metainfo.xml)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${STAGE}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
# The installed simulator runs from its new place.
execute_process(COMMAND ${STAGE}/bin/quorex-sim --help RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "bin/quorex-sim --help failed: ${result}")
endif()
# So does the command line program, and it needs no display: no Qt GUI or
# Widgets library is among what it loads.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                        ${STAGE}/bin/tessaline-cli --help
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "bin/tessaline-cli --help failed: ${result}")
endif()
find_program(READELF readelf)
if(READELF)
  execute_process(COMMAND ${READELF} -d ${STAGE}/bin/tessaline-cli OUTPUT_VARIABLE needed)
  if(needed MATCHES "libQt6(Gui|Widgets)")
    message(FATAL_ERROR "bin/tessaline-cli needs Qt GUI or Widgets:\n${needed}")
  endif()
endif()
message(STATUS "installed: ${expected}")
