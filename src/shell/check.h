// The two field checks every editing dialog uses, and the message strings
// they show. A refused value is reported with the stop icon and stored
// nowhere; the dialog stays open for correction.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "ui/dialog.h"

// The message-string table (ids 2..12); "" for an id it lacks.
std::string MessageString(int id);
// The messageId whose text is formatted from the range instead.
constexpr int FormattedRangeMessage = 2000;

// Reads `control` as a typed number (TypedNumber, at most maxChars - 1
// characters of the plain number) and converts it. Accepted when low <= value <= high,
// bounds included: the value goes to `out` and the check returns 1. Refused:
// the message `messageId` under `caption`, `out` untouched, 0.
int CheckField(ui::Dialog& dialog, int control, float& out, int maxChars, float low, float high, int messageId,
               const char* caption);
// The integer form: the bounds are truncated to whole numbers.
int CheckField(ui::Dialog& dialog, int control, int16_t& out, int maxChars, float low, float high, int messageId,
               const char* caption);

// What people type for a number: blanks around it, a leading "$",
// thousands separators ("400,000"), a leading "-" or parentheses for a
// negative. `clean` gets the plain number ("-400000"; "" for blank text,
// which reads as 0) and the result is 1; anything else in the text ("25k",
// "1,5") gives 0, so that it is refused instead of read by its leading
// digits.
int CleanNumberText(const std::string& text, std::string& clean);
// The value of a typed number, its plain form cut to maxChars - 1
// characters (0: no cut); NaN when the text is not a number, which every
// range check refuses.
float TypedNumber(const std::string& text, int maxChars);
// The integer form: the whole part of the plain number; 0 when the text is
// not a number (value untouched).
int TypedWhole(const std::string& text, int maxChars, int& value);

// For fields read without a range check: 1 when every control holds a
// typed number; otherwise "NUMBER ERROR" is shown and 0 returned.
int CheckNumbers(ui::Dialog& dialog, std::initializer_list<int> controls);

// The same test on text already read; the refusal message is formatted from
// the bounds. With `ageOrCode` 70 or more the message names the value and
// that age instead, and the value is stored although the check returns 0.
int CheckText(const std::string& text, float& out, float low, float high, int ageOrCode, const char* caption);
int CheckText(const std::string& text, int16_t& out, float low, float high, int ageOrCode, const char* caption);

// The money text of the totals ("%-11.2f" turned into "$1,234.56"); plain
// figures go through Format (model.h).
std::string MoneyFieldText(float value);
// A control's text cut to maxChars - 1 characters, as the checks read it.
std::string FieldInput(ui::Dialog& dialog, int control, int maxChars);
