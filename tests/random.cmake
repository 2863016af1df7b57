tillory_test(random_test random_test.cpp LIBS tillory_montecarlo)
