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
message(STATUS "installed: ${expected}")
