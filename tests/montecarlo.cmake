tillory_test(montecarlo_test montecarlo_test.cpp LIBS tillory_mcanalysis)

# tillory-cli montecarlo on the bundled example, in a directory of its own:
# the success line, then stats.dat's title.
set(montecarlo_cli_dir ${CMAKE_CURRENT_BINARY_DIR}/montecarlo_cli_run)
file(MAKE_DIRECTORY ${montecarlo_cli_dir})
add_test(NAME montecarlo_cli_run
  COMMAND sh -c "rm -f stats.dat && \"$1\" montecarlo \"$2\" --seed 7 && head -n 1 stats.dat" sh
          $<TARGET_FILE:tillory-cli> ${PROJECT_SOURCE_DIR}/examples/retirement.json
  WORKING_DIRECTORY ${montecarlo_cli_dir})
set_tests_properties(montecarlo_cli_run PROPERTIES
  PASS_REGULAR_EXPRESSION "^Scenario Success = (  [0-9]|[ 1-9][0-9]|100)\\.[0-9][0-9]%\n 55\\.0\t[^\n]*\n.*\n 95\\.0\t[^\n]*\nMonte Carlo Statistics - Uniform Accounts\n$")

tillory_test(run_output_test run_output_test.cpp LIBS tillory_engine tillory_bench_scenario tillory_mcanalysis)
target_include_directories(run_output_test PRIVATE ${PROJECT_SOURCE_DIR}/app)

# Whole analyses from a fixed random start against digests recorded earlier.
tillory_test(montecarlo_golden_test montecarlo_golden_test.cpp
  LIBS tillory_mcanalysis tillory_bench_scenario tillory_cli_commands tillory_engine tillory_model)
target_include_directories(montecarlo_golden_test PRIVATE ${PROJECT_SOURCE_DIR}/app ${PROJECT_SOURCE_DIR}/app/cli)
target_compile_definitions(montecarlo_golden_test PRIVATE TILLORY_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")

tillory_test(montecarlo_insight_test montecarlo_insight_test.cpp LIBS tillory_mcanalysis)

# tillory-cli montecarlo --json from a fixed start prints the committed example.
set(montecarlo_json_dir ${CMAKE_CURRENT_BINARY_DIR}/montecarlo_json_run)
file(MAKE_DIRECTORY ${montecarlo_json_dir})
add_test(NAME montecarlo_cli_json
  COMMAND sh -c "\"$1\" montecarlo \"$2\" --json --seed 7 > out.json && cmp out.json \"$3\"" sh
          $<TARGET_FILE:tillory-cli> ${PROJECT_SOURCE_DIR}/examples/retirement.ret
          ${PROJECT_SOURCE_DIR}/docs/montecarlo-example.json
  WORKING_DIRECTORY ${montecarlo_json_dir})

tillory_test(safe_spending_test safe_spending_test.cpp LIBS tillory_mcanalysis)

# tillory-cli safe-spending on the bundled example: every step, the answer,
# and no stats.dat left behind; an Event that is no Withdrawal is bad usage.
set(safe_spending_cli_dir ${CMAKE_CURRENT_BINARY_DIR}/safe_spending_cli_run)
file(MAKE_DIRECTORY ${safe_spending_cli_dir})
add_test(NAME safe_spending_cli
  COMMAND sh -c "rm -f stats.dat && \"$1\" safe-spending \"$2\" --event 3 --target 90 && test ! -e stats.dat && { \"$1\" safe-spending \"$2\" --event 1 2>&1; echo \"status $?\"; }" sh
          $<TARGET_FILE:tillory-cli> ${PROJECT_SOURCE_DIR}/examples/retirement.ret
  WORKING_DIRECTORY ${safe_spending_cli_dir})
set_tests_properties(safe_spending_cli PROPERTIES
  PASS_REGULAR_EXPRESSION "^Safe spending for \"Living expenses\" \\(Event 3\\), target 90\\.00%, seed 1\nStep 1 of about [0-9]+: \\$48,000 gives [^\n]*\n(Step [^\n]*\n)+The safe amount is \\$44,511, with a success rate of 90\\.00% \\(target 90\\.00%\\)\\.\ntillory-cli: safe-spending: Event 1 is not a Withdrawal\\.[^\n]*\nTry 'tillory-cli --help'\\.\nstatus 2\n$")
