// What the refinance tests share: a text file read whole, and a Mortgage
// Event of 250,000 with 50,000 down at 6 % for 30 years from 40.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "model/model.h"

inline std::string ReadText(const char* path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline Event ElmStreet(int16_t applyInflation) {
    Event e{};
    e.eventType = EventMortgage;
    SetFieldText(e.description, "Elm Street");
    e.startAge = 40;
    e.endAge = 70;
    e.amount = 250000;
    e.rate2 = 50000;
    e.loanRate = 6;
    e.years = 30;
    e.rate3 = 3;
    e.taxes = 3000;
    e.applyInflation = applyInflation;
    e.applyRate = 80;
    e.salePercent = 94;
    e.acceleratedAmount = 100;
    e.accountId = 1;
    return e;
}
