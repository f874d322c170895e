# The checks of the build as it ships (tests/CMakeLists.txt).

# scripts/run against what a user's machine may hold (a running copy, a
# running simulator, the user's own port map, no display, ...): a stand-in
# Tessaline and the real simulator, each case bounded in time.
add_test(NAME scripts_run COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/run_cases.sh
         ${PROJECT_SOURCE_DIR}/scripts/run $<TARGET_FILE:tessaline> $<TARGET_FILE:quorex-sim>)
set_tests_properties(scripts_run PROPERTIES LABELS scripts TIMEOUT 180)

# The user's guide: its pictures are what the session it walks through
# shows now, and it shows each of them (cmake --build build --target
# guide-pictures makes them again).
add_test(NAME docs_guide_pictures
         COMMAND tessaline-screenshots --guide-check ${PROJECT_SOURCE_DIR}/docs/pictures)
set_tests_properties(docs_guide_pictures PROPERTIES LABELS docs TIMEOUT 180
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The README's build-step figures, recomputed from this build folder (the
# whole build's only where it is configured as scripts/test configures it).
if(TESSALINE_BENCH AND NOT TESSALINE_FUZZ AND NOT TESSALINE_SANITIZE AND NOT TESSALINE_UNIT_TESTS)
  set(TESSALINE_WHOLE_BUILD ON)
else()
  set(TESSALINE_WHOLE_BUILD OFF)
endif()
add_test(NAME docs_readme_figures
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/docs/readme_figures.sh ${PROJECT_SOURCE_DIR}/README.md
                 ${CMAKE_BINARY_DIR} ${TESSALINE_WHOLE_BUILD})
set_tests_properties(docs_readme_figures PROPERTIES LABELS docs TIMEOUT 60 RESOURCE_LOCK build_tree)
