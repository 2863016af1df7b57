tillory_test(engine_test engine_run_test.cpp engine_year_test.cpp engine_describe_test.cpp LIBS tillory_engine)

# tillory-cli run on the bundled example, in a directory of its own (--yes:
# the export of the run before is replaced).
set(engine_cli_dir ${CMAKE_CURRENT_BINARY_DIR}/engine_cli_run)
file(MAKE_DIRECTORY ${engine_cli_dir})
add_test(NAME engine_cli_run
  COMMAND tillory-cli --yes run ${PROJECT_SOURCE_DIR}/examples/retirement.json --summary --export-tab balances.kve
  WORKING_DIRECTORY ${engine_cli_dir})
set_tests_properties(engine_cli_run PROPERTIES
  PASS_REGULAR_EXPRESSION "\n95\\.0 \t[^\n]*\n-+\n")
add_test(NAME engine_cli_run_usage COMMAND tillory-cli run --export-tab)
set_tests_properties(engine_cli_run_usage PROPERTIES WILL_FAIL TRUE)
