tillory_test(engine_events_test engine_events_test.cpp engine_loans_test.cpp engine_rmd_test.cpp
  LIBS tillory_engine tillory_bench_scenario)
target_include_directories(engine_events_test PRIVATE ${PROJECT_SOURCE_DIR}/app)
