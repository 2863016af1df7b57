tillory_test(exchange_test exchange_test.cpp LIBS tillory_exchange)
