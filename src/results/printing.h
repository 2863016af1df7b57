// The page printer that every printout goes through: numbered page files
// under a header block, on the printer the desktop program provides.
#pragma once

#include <string>

struct PrintState {
    // Print All Reports numbers its pages out of this total (0: each printout
    // counts its own pages) and counts the pages printed so far.
    int grandTotal = 0;
    int pagesPrinted = 0;
    // The selected age of print kinds 9 and 10, the title of kinds 11 to 13.
    int selectedAge = 0;
    std::string titleText;
};
extern PrintState printState;

// Prints "rpage1" .. "rpage<pageCount>" as print kind `kind` (1..14).
// Returns 1 when the job ran to its end, 0 when it was cancelled, failed or
// no printer is available.
int PrintPages(int pageCount, int kind);
