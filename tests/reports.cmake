tillory_test(reports_test reports_test.cpp reports_files_test.cpp reports_cli_test.cpp LIBS tillory_results)
add_dependencies(reports_test tillory-cli)
target_compile_definitions(reports_test PRIVATE TILLORY_CLI="$<TARGET_FILE:tillory-cli>"
  EXAMPLE_SCENARIO="${PROJECT_SOURCE_DIR}/examples/retirement.ret")

if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets Test REQUIRED)
  # With TILLORY_SCREENSHOTS=DIR in the environment the test also saves the
  # report window's picture there.
  tillory_test(reports_qt_test reports_qt_test.cpp LIBS tillory_qt Qt6::Test)
  target_compile_definitions(reports_qt_test PRIVATE EXAMPLE_SCENARIO="${PROJECT_SOURCE_DIR}/examples/retirement.ret")
endif()
