tillory_test(results_axes_test results_axes_test.cpp LIBS tillory_results)
tillory_test(results_folders_test results_folders_test.cpp LIBS tillory_results)

if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets Test REQUIRED)
  # With TILLORY_SCREENSHOTS=DIR in the environment the test also saves the
  # folder pictures of the documentation there.
  tillory_test(results_qt_test results_qt_test.cpp LIBS tillory_qt tillory_bench_scenario Qt6::Test)
  target_include_directories(results_qt_test PRIVATE ${PROJECT_SOURCE_DIR}/app)
  target_compile_definitions(results_qt_test PRIVATE EXAMPLE_SCENARIO="${PROJECT_SOURCE_DIR}/examples/retirement.ret")
endif()
