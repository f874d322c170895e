# Precompiled headers for every target of the project, without a line in
# the folders' own CMakeLists.txt: tessaline_precompile_headers(), called
# once all folders are added, gives each target that builds by default
# and links Qt the precompiled header of its Qt level:
#
#   Qt Widgets            PrecompiledWidgets.h (standard, Qt Core, Gui, Widgets)
#   Qt Core, no widgets   Precompiled.h        (standard, Qt Core)
#
# so a layer that links only Qt Core sees no widget header through it; a
# target that links Qt Test (the test programs) gets its level's header
# with <QTest> added. Each header is compiled once per build folder, by a
# target of its own that links nothing but its Qt modules
# (tessaline_pch_core, tessaline_pch_widgets, tessaline_pch_widgets_test,
# ...), and reused by all the others. GCC uses a
# precompiled header only where every macro it was made with is defined the
# same way and no other macro it looks at is defined; the owners' macros
# are the Qt modules' own, which every user of that level has too, and the
# macros the users add (QT_SERIALPORT_LIB, their own) appear in no Qt Core,
# Gui or Widgets header. <QTest> also looks at QT_NETWORK_LIB, so a Qt Test
# owner links Qt Network exactly when its users do, and at the folders Qt
# Test names for QFINDTESTDATA, which differ from folder to folder: the
# tests do not use QFINDTESTDATA, and Qt Test's interface here leaves those
# two macros out. CMake adds -Winvalid-pch, so with
# -Werror a header that could not be used stops the build instead of slowing
# it down quietly.
#
# Left out: targets excluded from the default build (the layering probes
# compile exactly as their layer does, nothing added) and targets with the
# property TESSALINE_NO_PCH. -DTESSALINE_PCH=OFF turns it all off (a build
# that shows a missing #include the precompiled header hid).

set(TESSALINE_PCH_DIR ${CMAKE_CURRENT_LIST_DIR})

# Every target defined in `dir` and the folders below it.
function(_tessaline_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _tessaline_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The targets `target` links, directly or through others.
function(_tessaline_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    list(APPEND seen ${current})
    set(links "")
    get_target_property(type ${current} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      # $<LINK_ONLY:lib> and the like: the library inside.
      string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
      if(TARGET ${link})
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The owner of one precompiled header: an object library of one empty file
# that links only `qt` (a list of Qt targets). With Qt6::Test in `qt` the
# header is `header` and <QTest>.
function(_tessaline_pch_owner name header qt)
  if(TARGET ${name})
    return()
  endif()
  set(header ${TESSALINE_PCH_DIR}/${header})
  if(Qt6::Test IN_LIST qt)
    set(with_test ${CMAKE_BINARY_DIR}/precompiled/${name}.h)
    file(CONFIGURE OUTPUT ${with_test} CONTENT "#include \"${header}\"\n#include <QTest>\n")
    set(header ${with_test})
  endif()
  set(anchor ${CMAKE_BINARY_DIR}/precompiled/${name}.cpp)
  file(CONFIGURE OUTPUT ${anchor} CONTENT "// Compiles ${header} once for this build folder.\n")
  add_library(${name} OBJECT ${anchor})
  target_link_libraries(${name} PRIVATE ${qt})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_precompile_headers(${name} PRIVATE ${header})
endfunction()

# The targets of the project that compile and build by default, less those
# with the target property `opt_out` set.
function(_tessaline_compiled_targets opt_out out)
  _tessaline_targets_below(${CMAKE_SOURCE_DIR} targets)
  set(compiled "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(excluded ${target} EXCLUDE_FROM_ALL)
    get_target_property(opted_out ${target} ${opt_out})
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
       AND NOT excluded AND NOT opted_out)
      list(APPEND compiled ${target})
    endif()
  endforeach()
  set(${out} ${compiled} PARENT_SCOPE)
endfunction()

function(tessaline_precompile_headers)
  if(NOT TESSALINE_PCH)
    return()
  endif()
  if(TARGET Qt6::Test)
    set_property(TARGET Qt6::Test PROPERTY INTERFACE_COMPILE_DEFINITIONS QT_TESTLIB_LIB)
  endif()
  _tessaline_compiled_targets(TESSALINE_NO_PCH targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(own ${target} PRECOMPILE_HEADERS)
    get_target_property(reused ${target} PRECOMPILE_HEADERS_REUSE_FROM)
    if(own OR reused)
      continue()
    endif()
    _tessaline_link_closure(${target} closure)
    if(Qt6::Widgets IN_LIST closure)
      set(owner tessaline_pch_widgets)
      set(header PrecompiledWidgets.h)
      set(qt Qt6::Core Qt6::Gui Qt6::Widgets)
    elseif(Qt6::Core IN_LIST closure)
      set(owner tessaline_pch_core)
      set(header Precompiled.h)
      set(qt Qt6::Core)
    else()
      continue()
    endif()
    if(Qt6::Test IN_LIST closure)
      string(APPEND owner _test)
      list(APPEND qt Qt6::Test)
      if(Qt6::Network IN_LIST closure)
        string(APPEND owner _network)
        list(APPEND qt Qt6::Network)
      endif()
    endif()
    _tessaline_pch_owner(${owner} ${header} "${qt}")
    target_precompile_headers(${target} REUSE_FROM ${owner})
    # A program's moc output is included by its own .cpp files (a test's
    # "tst_name.moc"), which leaves the file automoc compiles empty: loading
    # the precompiled header for it would cost about two CPU seconds, once
    # per test program. Libraries keep it: theirs holds the headers' moc.
    if(type STREQUAL "EXECUTABLE")
      get_target_property(automoc ${target} AUTOMOC)
      get_target_property(binary_dir ${target} BINARY_DIR)
      if(automoc)
        set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
          TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      endif()
    endif()
  endforeach()
endfunction()
