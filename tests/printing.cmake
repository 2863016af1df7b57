tillory_test(printing_test printing_test.cpp LIBS tillory_results)

if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets PrintSupport Test REQUIRED)
  tillory_test(printing_qt_test printing_qt_test.cpp LIBS tillory_qt Qt6::Test)
  target_compile_definitions(printing_qt_test PRIVATE EXAMPLE_SCENARIO="${PROJECT_SOURCE_DIR}/examples/retirement.ret")
endif()
