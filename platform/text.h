// The C library's text rules that the program's numbers and names follow,
// as the "C" locale has them: blanks as isspace sees them, and atoi.
#pragma once
#include <string>

namespace vl {

// Space, tab, line feed, vertical tab, form feed, carriage return.
bool IsBlank(char c);
// Leading and trailing blanks removed, as CString::TrimLeft/TrimRight do.
std::string TrimBlanks(const std::string& text);
// Nothing but blanks, or nothing at all.
inline bool IsBlankText(const std::string& text) { return TrimBlanks(text).empty(); }

// A to Z made a to z, every other byte left as it is; and two texts equal
// but for that, as registry key and value names compare.
std::string LowerAscii(std::string text);
bool SameIgnoringCase(const std::string& a, const std::string& b);

// atoi: leading blanks, an optional sign, decimal digits up to the first
// other character, 0 without digits. Overflow wraps like a 32-bit int instead
// of being undefined.
int Atoi(const std::string& text);

}  // namespace vl
