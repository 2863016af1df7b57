tillory_test(payment_test payment_test.cpp LIBS tillory_engine)

# The schedule carried from year to year against a replay from period 0.
tillory_test(amortization_test amortization_test.cpp LIBS tillory_engine tillory_bench_scenario)
target_include_directories(amortization_test PRIVATE ${PROJECT_SOURCE_DIR}/app)
