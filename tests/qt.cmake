if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets PrintSupport Test REQUIRED)
  tillory_test(qt_test qt_test.cpp LIBS tillory_qt Qt6::Test)
endif()
