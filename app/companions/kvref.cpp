// kvref FILE: net worth with the existing and the refinanced mortgage over the months.
#include "companion.h"

int main(int argc, char** argv) {
    return companion::RunCurveProgram(argc, argv, "kvref", "REFINANCE ANALYSIS - NET WORTH", "month");
}
