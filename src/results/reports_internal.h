// What the report generators share: the page writer and small text helpers.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/model.h"
#include "results/reports.h"

// Writes the lines of one report into numbered page files, breaking pages
// by the line counter: before each data line, a counter at a multiple of the
// page length or beyond it ends the page and starts the next one with the
// heading again.
struct PageWriter {
    int printer = 0;
    int linesPerPage = ScreenPageLines;
    int start = 0;         // the counter of a set's first page
    int restart = 0;       // the counter of the later pages
    const char* marker = "Dooooone";      // at every page break
    const char* lastMarker = "Dooooone";  // at the end of a set
    std::string heading;   // the column line with its line feed
    PartFile part;         // the open page, which replaces its file once complete
    std::FILE* file = nullptr;
    int page = 0;
    int counter = 0;
    int dataLines = 0;
    int failed = 0;
};

// A writer for screen (`printer` 0) or printer pages whose counter starts
// at `start` and restarts at `restart` on later pages.
PageWriter MakePageWriter(int printer, int start, int restart);
// Starts a set of pages under `heading` (ending the set before it). 0 after
// the file-open message.
int StartSet(PageWriter& w, const std::string& heading);
// One data line (with its line feed). 0 after the file-open message.
int PutLine(PageWriter& w, const std::string& line);
// Ends the last set. Returns the page count, 0 when no data line was written
// or a page could not be created.
int FinishPages(PageWriter& w);

// One line of a text file without its line feed; false at the end.
bool ReadLine(std::FILE* f, std::string& line);
std::string TrimmedRight(const std::string& text);
std::string Trimmed(const std::string& text);
// The message of a file that cannot be opened.
void FileOpenError(const std::string& text);
std::string ReportAccountName(int position);
