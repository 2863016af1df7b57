tillory_test(dialogs_test dialogs_check_test.cpp dialogs_events_test.cpp dialogs_scenario_test.cpp dialogs_accounts_test.cpp
  dialogs_options_test.cpp dialogs_bad_input_test.cpp undo_test.cpp safe_spending_dialog_test.cpp LIBS tillory_shell)
if(TILLORY_GUI)
  find_package(Qt6 COMPONENTS Widgets Test REQUIRED)
  tillory_test(dialogs_qt_test dialogs_qt_test.cpp LIBS tillory_qt Qt6::Test)
  target_compile_definitions(dialogs_qt_test PRIVATE TILLORY_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
endif()
