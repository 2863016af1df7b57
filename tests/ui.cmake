tillory_test(ui_test ui_test.cpp LIBS tillory_ui)
