#pragma once

#include <string>
#include <string_view>

namespace platform {

// Private-profile (INI) settings: "[section]" lines followed by "key=value"
// lines, CR LF line ends. Section and key names match without regard to case.
// Paths are given in the host's form, relative to the current directory and
// with backslashes as separators ("Plugins\\TAVIN.ini").
//
// Reading follows the Windows rules: CR LF, LF and CR all end a line; lines
// whose first non-blank is ';' are comments; lines before the first section
// and lines without '=' hold no key; a section name ends at the first ']';
// of a repeated section only the first counts, of a repeated key only the
// first. Blanks (space, tab, vertical tab) around names and values are
// dropped, also from the `section` and `key` arguments.
class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // The whole value of `key` in `section`, with surrounding blanks dropped and
  // one enclosing pair of double (or single) quotes removed; `fallback` less
  // its trailing spaces when the file, the section or the key is missing. A
  // key present with an empty value reads as the empty text, not as
  // `fallback`.
  virtual std::string Read(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& fallback) = 0;

  // Sets `key` in `section` to `value`, creating the file, section or key as
  // needed; the value is written verbatim, the lines written end in CR LF.
  // An existing key keeps its line and the spelling of its name; a new key
  // follows the last key of its section; a new section is appended to the
  // file. Returns false when nothing was written: the folder is missing, the
  // file is read-only or cannot be replaced, `value` holds CR, LF or NUL
  // (which would inject lines into the file), `key` holds '=' or starts with
  // ';' or '[', or `section` holds ']' (names with CR, LF or NUL likewise).
  // A failed write leaves the previous file intact.
  virtual bool Write(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

// The implementation for this operating system.
SettingsFile& SystemSettingsFile();

// `s` without the blanks (space, tab, vertical tab) at either end: the
// names and values of the settings file are read and written so.
std::string_view TrimBlanks(std::string_view s);

// Whether a write of `value` under `key` in `section` can be read back as
// given: no line break or NUL anywhere, no ']' in the section, no '=' in the
// key, and no key starting with ';' or '[' (it would read as a comment or a
// section header). Neither file format escapes anything.
bool ValidSettingsNames(std::string_view section, std::string_view key, std::string_view value);

}  // namespace platform
