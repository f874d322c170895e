# Unity builds for every target of the project with more than one source
# file: CMake compiles its .cpp files in batches of eight, each batch as one
# file that includes them, so the headers they share (Qt's above all) are
# read and their inline code compiled once per batch instead of once per
# file. Measured on the library layers: about half the compiler time, cold.
#
# The cost is that the files of one batch see each other's file-local names:
# two helpers of the same name in one target, each in its own anonymous
# namespace, no longer compile. Give them names of their own, or set the
# target property TESSALINE_NO_UNITY where that cannot be (a target built
# from copies of one file). Left out: targets excluded from the default
# build (the layering probes compile exactly as their layer does) and
# one-file targets (the test programs), which have nothing to share.
# -DTESSALINE_UNITY=OFF builds file by file (a build that shows a file
# leaning on what another file of its batch included).

function(tessaline_unity_builds)
  if(NOT TESSALINE_UNITY)
    return()
  endif()
  _tessaline_compiled_targets(TESSALINE_NO_UNITY targets)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|cxx|cc)$")
    list(LENGTH sources count)
    if(count GREATER 1)
      set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
  endforeach()
endfunction()
