// The text files every run writes anew (the plot file and the item files).
// A Monte Carlo analysis writes them a thousand times in a row, so they are
// rewritten in place rather than truncated and written again: the content
// each run leaves is the same, without the file system freeing and
// reallocating the file's blocks every time.
#pragma once

#include <cstdio>

// Like fopen(path, "w"); nullptr when the file cannot be written.
std::FILE* OpenRunFile(const char* path);
// Writes `size` bytes of a line to a file from OpenRunFile. Only the run
// writes its files, on one thread: the stream needs no lock.
inline void PutRunText(std::FILE* file, const char* text, size_t size) { fwrite_unlocked(text, 1, size, file); }
// Closes a file from OpenRunFile and cuts off what an earlier, longer
// content left beyond the end.
void CloseRunFile(std::FILE* file, const char* path);
