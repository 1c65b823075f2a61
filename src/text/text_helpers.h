#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text operations shared by the whole program. Every text is a Windows-1254
// byte string; positions and lengths count bytes.
namespace kiremo {

// Splits at every occurrence of the separator, from the left, without
// overlaps. A trailing separator gives no trailing empty piece; a text equal
// to the separator gives two empty pieces; an empty text gives none.
std::vector<std::string> Explode(std::string_view text, std::string_view separator);

// The same pieces as views into the text, for callers that only look at them.
std::vector<std::string_view> ExplodeViews(std::string_view text, std::string_view separator);

// Non-overlapping occurrences of the pattern, counted from the left; an empty
// pattern occurs 0 times.
int SubStrCount(std::string_view text, std::string_view pattern);

// Drops every tag: a "<" and everything up to and including the next ">".
// A "<" that no ">" follows drops the rest of the text.
std::string Striptags(std::string_view text);

// Drops the characters of code 32 or less at both ends.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// Case changes touch only the ASCII letters; Turkish letters stay as they are.
std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);

bool EndsWith(std::string_view text, std::string_view suffix);
bool StartsWith(std::string_view text, std::string_view prefix);

// Equality that ignores the case of ASCII letters.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// A decimal whole number of 32 bits, leading blanks and a sign allowed;
// anything else raises ConversionError "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

// The same conversion, giving the default instead of an error.
int StrToIntDef(std::string_view text, int fallback);

// "'<text>' is not a valid integer value"
std::string NotAnIntegerMessage(std::string_view text);

}  // namespace kiremo
