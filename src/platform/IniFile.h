#pragma once
// The settings files of the legacy program (VelnorInst.ini, velnor.ini...)
// read and written with the Windows "private profile" rules, so files
// carried over from Windows and files we write stay interchangeable.
//
// Reading: "[Section]" lines open a section; section and key names compare
// ignoring case and the first match wins; lines starting with ';' and lines
// without '=' are skipped; blanks and tabs around names and values are
// dropped, then one pair of enclosing "..." or '...' quotes. Text that is not
// UTF-8 is taken as Windows-1252, as the Windows program wrote it.
//
// Every call reads the file again: several processes share these files, so
// nothing is cached. Paths go through PercorsoLocale().
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vb {

// True when the key exists, even with an empty value; `valore` is left
// untouched otherwise, so callers may preset their default in it.
bool LeggiProfilo(std::string_view file, std::string_view sezione, std::string_view chiave,
                  std::string& valore);

// Section names in file order, each name once (first spelling).
std::vector<std::string> SezioniProfilo(std::string_view file);

// Key/value pairs of the first section named `sezione`, in file order.
std::vector<std::pair<std::string, std::string>> ChiaviProfilo(std::string_view file,
                                                               std::string_view sezione);

// WritePrivateProfileString: no key deletes the first section of that name
// with all its lines; no value deletes the key; otherwise the first matching
// key is rewritten in place as "key=value" (original key spelling), or added
// after the last non-blank line of the section, or the section is added at
// the end (the file and its folders are created when missing). All other
// bytes of the file stay as they were; new lines follow the file's line
// ends. The file is replaced atomically. False on I/O failure or on names
// and values that cannot be stored on one line.
bool ScriviProfilo(std::string_view file, std::string_view sezione,
                   std::optional<std::string_view> chiave,
                   std::optional<std::string_view> valore);

}  // namespace vb
