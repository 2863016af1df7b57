tillory_test(budgets_test budgets_test.cpp LIBS tillory_shell)
if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets Test REQUIRED)
  # With TILLORY_SCREENSHOTS=DIR the dialog is saved there as dialog-budget.png.
  tillory_test(budgets_qt_test budgets_qt_test.cpp LIBS tillory_qt Qt6::Test)
endif()
