#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tools {

// One record of an ADIF file.
struct AdifRecord {
  size_t number = 0;                          // 1-based position among the file's non-empty records
  std::map<std::string, std::string> fields;  // upper-case name -> data bytes

  // The data of the field `upperName`, or an empty text when it is absent.
  // The name must be given in upper case.
  std::string Get(const std::string& upperName) const;
  bool Has(const std::string& upperName) const;
};

// Where and why reading or mapping a record failed.
struct AdifError {
  size_t record = 0;  // 1-based record number; 0 for the header or the whole file
  std::string field;  // upper-case field name; empty when no field is concerned
  std::string message;

  // "record 3, field FREQ: <message>"; record 0 reads "before the first
  // record", and the field part is left out when no field is named.
  std::string ToString() const;
};

// ASCII upper case of `text`; other bytes are kept.
std::string AdifUpper(const std::string& text);

// Reads ADIF 3 text (.adi). Tags are `<NAME:LEN>` or `<NAME:LEN:TYPE>`
// followed by exactly LEN data bytes, `<EOH>` and `<EOR>`; names and the two
// end tags are case-insensitive, and text outside tags is ignored. Everything
// before the first `<EOH>`, fields included, is the header and is skipped; a
// file without `<EOH>` has no header. A record is the fields up to `<EOR>`;
// an `<EOR>` without fields is no record and takes no number.
//
// Fails, filling `error`, on: a `<` without a closing `>`; an empty or
// malformed field name; a tag other than EOH and EOR without a length; a
// length that is not a decimal number, is negative or runs past the end of
// the text; a field given twice in one record; an `<EOH>` after the first
// record; and text that is not blank but holds no tag at all. Fields after
// the last `<EOR>` are read as a last record, with a warning in `warnings`
// (when given) naming it. Errors met before the first `<EOH>` carry record number 0
// when the text contains an `<EOH>` further on, as they lie in the header.
//
// `records` and `warnings` are cleared first; on failure it keeps the records completed
// before the error. Any byte sequence is safe to pass.
bool ReadAdif(const std::string& text, std::vector<AdifRecord>* records, AdifError* error,
              std::vector<AdifError>* warnings = nullptr);

}  // namespace tools
