#include "exchange/exchange.h"

void InstallExchangeCommands() {}
