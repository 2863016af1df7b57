// Stand-ins for the commands still being built; each goes when its own file
// brings the real one.
#include <cstdio>

#include "commands.h"

const char* const CliMonteCarloHelp = "";

int CliMonteCarlo(const std::vector<std::string>&) {
    std::fputs("tillory-cli: 'montecarlo' is not built yet\n", stderr);
    return 2;
}
