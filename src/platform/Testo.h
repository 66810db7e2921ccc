#pragma once
// Text routines of the legacy run time over UTF-8 strings. Lengths and
// positions count characters (code points), not bytes; positions are
// 1-based as in the legacy. "Text" comparison ignores letter case also on
// accented Latin letters ("È" = "è"); accents themselves still count
// ("è" <> "e"). Nothing here depends on the process locale.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

enum Confronto { vbBinaryCompare = 0, vbTextCompare = 1 };

// Legacy Trim family: blanks (spaces) only, not tabs or line ends.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
// Case folding used by every text comparison (lower case, Latin-1 and
// Latin Extended-A included).
std::string Piega(std::string_view s);

long Len(std::string_view s);
std::string Left(std::string_view s, long n);
std::string Right(std::string_view s, long n);
// Mid(s, start) and Mid(s, start, length); start is 1-based, start < 1
// raises error 5 as in the legacy.
std::string Mid(std::string_view s, long inizio, long lunghezza = -1);

// InStr(start, s, cerca, compare): 1-based position or 0.
long InStr(long inizio, std::string_view s, std::string_view cerca,
           Confronto c = vbBinaryCompare);
inline long InStr(std::string_view s, std::string_view cerca, Confronto c = vbBinaryCompare) {
  return InStr(1, s, cerca, c);
}
long InStrRev(std::string_view s, std::string_view cerca, long inizio = -1,
              Confronto c = vbBinaryCompare);

// Replace(s, find, with, start, count, compare); count -1 = all. As in the
// legacy, the result begins at `inizio`.
std::string Replace(std::string_view s, std::string_view cerca, std::string_view con,
                    long inizio = 1, long quanti = -1, Confronto c = vbBinaryCompare);
// Split: an empty text gives no items; an empty separator gives the whole text.
std::vector<std::string> Split(std::string_view s, std::string_view sep = " ",
                               long limite = -1, Confronto c = vbBinaryCompare);
std::string Join(const std::vector<std::string>& parti, std::string_view sep = " ");

// StrComp: -1, 0, 1.
int StrComp(std::string_view a, std::string_view b, Confronto c = vbBinaryCompare);
inline bool UgualeTesto(std::string_view a, std::string_view b) {
  return StrComp(a, b, vbTextCompare) == 0;
}

// The legacy Like: "*" any run, "?" one character, "#" one digit, "[a-z]",
// "[!abc]" classes ("[*]" a literal star); the whole text must match.
bool Like(std::string_view testo, std::string_view schema, Confronto c = vbBinaryCompare);

std::string Space(long n);
std::string StringDi(long n, std::string_view carattere);

// Is the byte sequence valid UTF-8?
bool Utf8Valido(std::string_view s);
// Windows-1252 bytes to UTF-8 (for files written by the legacy programs).
std::string DaWindows1252(std::string_view s);
// UTF-8 to Windows-1252 bytes, for files the legacy programs read; nothing
// when a character has no place in that code page (or the text is no
// valid UTF-8).
std::optional<std::string> AWindows1252(std::string_view s);
// Code points of a UTF-8 text; invalid bytes come through as U+FFFD.
std::u32string InCodici(std::string_view s);
std::string DaCodici(std::u32string_view s);

}  // namespace vb
