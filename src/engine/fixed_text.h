// Fixed-point number text for the files every run writes: the same bytes as
// printf's "%W.Pf" / "%-W.Pf" of a float, without printf's general-purpose
// conversion, which is most of a run's time when the Monte Carlo analysis
// repeats it a thousand times.
#pragma once

// Writes printf("%*.*f", width, precision, value) (left-justified when
// `left`) into `out` and returns the number of characters written, not
// counting the NUL. `out` must hold width + 48 characters (bytes past the
// NUL may be overwritten). precision 0..4; values beyond the fast range fall
// back to snprintf itself.
int FixedText(char* out, float value, int width, int precision, int left = 0);
// FixedText at `at`; returns the end of what it wrote.
inline char* PutFixed(char* at, float value, int width, int precision) {
    return at + FixedText(at, value, width, precision);
}

// The same for a format of exactly the shape "%[-][W].Pf" with W up to 99
// (`out` holding 160 characters); returns -1, writing nothing, for any other.
int FixedTextFormat(char* out, const char* format, float value);
