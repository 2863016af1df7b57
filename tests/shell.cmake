tillory_test(shell_test shell_test.cpp results_panel_test.cpp help_test.cpp shell_fonts_test.cpp LIBS tillory_shell)
target_compile_definitions(shell_test PRIVATE HELP_PAGES="${PROJECT_SOURCE_DIR}/src/shell/help")
