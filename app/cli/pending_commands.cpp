// Stand-ins for the commands still being built; each goes when its own file
// brings the real one.
#include <cstdio>

#include "commands.h"

const char* const CliRunHelp = "";
const char* const CliMonteCarloHelp = "";

int CliRun(const std::vector<std::string>&) {
    std::fputs("tillory-cli: 'run' is not built yet\n", stderr);
    return 2;
}

int CliMonteCarlo(const std::vector<std::string>&) {
    std::fputs("tillory-cli: 'montecarlo' is not built yet\n", stderr);
    return 2;
}
