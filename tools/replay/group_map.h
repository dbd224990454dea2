#pragma once

// The group codes of `logreplay score --group-map FILE`: a plain text file
// that gives each multiplier code its group code, for a Cabrillo log (which
// carries none) and for an ADIF log without a group field alike.

#include <map>
#include <string>

namespace tools {

struct GroupMap {
  std::string path;                           // as given on the command line
  std::map<std::string, std::string> groups;  // multiplier code -> group code, upper case

  // The group code of `multCode`; false when the map does not list it.
  bool Find(const std::string& multCode, std::string* group) const;
};

// Parses a map's text: one "CODE GROUP" per line, blanks or tabs around and
// between them, LF, CR LF or lone CR line ends, UTF-8 with or without a
// byte order mark or UTF-16 with one (Utf16ToUtf8); blank lines and lines
// whose first value starts with '#' are passed over; codes and groups are
// upper-cased. Fails with "line N: <why>" in `problem` at the first line
// that is not a map's: one with an ADIF tag ('<') or a Cabrillo tag (a
// first value ending in ':'), one with other than two values, and a code
// given twice with different groups.
bool ParseGroupMap(const std::string& text, GroupMap* map, std::string* problem);

// Reads the map file at `path` (ReadLogFile) and parses it into `map`,
// whose path becomes `path`. On failure `problem` says why in one line.
bool ReadGroupMap(const std::string& path, GroupMap* map, std::string* problem);

}  // namespace tools
