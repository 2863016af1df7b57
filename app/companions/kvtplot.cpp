// kvtplot FILE: the running amounts of the trade-off options over the periods.
#include "companion.h"

int main(int argc, char** argv) { return companion::RunCurveProgram(argc, argv, "kvtplot", "TRADE-OFF ANALYSIS", "period"); }
