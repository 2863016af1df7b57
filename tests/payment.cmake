tillory_test(payment_test payment_test.cpp LIBS tillory_engine)
