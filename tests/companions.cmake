tillory_test(companions_test companions_test.cpp LIBS tillory_companions tillory_calculators tillory_mcanalysis)
target_compile_definitions(companions_test PRIVATE EXAMPLE_SCENARIO="${PROJECT_SOURCE_DIR}/examples/retirement.ret")

if(TILLORY_GUI)
  # The programs themselves: their pictures, their refusals, and kvcomp
  # against tillory-cli.
  tillory_test(companions_programs_test companions_programs_test.cpp LIBS tillory_companion_files)
  add_dependencies(companions_programs_test kvplot3 kvcomp kvtplot kvref kvviewer tillory-cli tillory)
  target_compile_definitions(companions_programs_test PRIVATE
    PROGRAMS="${CMAKE_BINARY_DIR}/app/tillory"
    TILLORY_CLI="$<TARGET_FILE:tillory-cli>"
    TILLORY_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
endif()
