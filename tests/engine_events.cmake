tillory_test(engine_events_test engine_events_test.cpp engine_loans_test.cpp engine_rmd_test.cpp
  ${PROJECT_SOURCE_DIR}/app/bench/every_event_scenario.cpp LIBS tillory_engine)
target_include_directories(engine_events_test PRIVATE ${PROJECT_SOURCE_DIR}/app)
