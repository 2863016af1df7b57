// The text files every run writes anew (the plot file and the item files).
// Each is written complete-then-replace, like every file of the program, but
// without waiting for the disk: they are rewritten on every projection and
// nobody keeps them.
#pragma once

#include <cstdio>

// A stream to a part file beside `path`; nullptr when it cannot be written.
std::FILE* OpenRunFile(const char* path);
// Writes `size` bytes of a line to a file from OpenRunFile. Only the run
// writes its files, on one thread: the stream needs no lock.
inline void PutRunText(std::FILE* file, const char* text, size_t size) { fwrite_unlocked(text, 1, size, file); }
// Checks every write and the close of a file from OpenRunFile and puts it in
// place of its target; false, with the target as it was, when any failed.
bool CloseRunFile(std::FILE* file);
// Drops a file from OpenRunFile unwritten; its target stays as it was.
void DropRunFile(std::FILE* file);
