tillory_test(model_test model_test.cpp LIBS tillory_model)
