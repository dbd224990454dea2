#include "tools/adif/adif_reader.h"

#include <cstdint>
#include <utility>

namespace tools {
namespace {

constexpr size_t kNpos = std::string::npos;
constexpr size_t kMaxNameInError = 40;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n\f\v") == kNpos; }

size_t FindNoCase(const std::string& text, const std::string& upperNeedle) {
  if (upperNeedle.size() > text.size()) return kNpos;
  for (size_t i = 0; i + upperNeedle.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < upperNeedle.size() && UpperAscii(text[i + k]) == upperNeedle[k]) ++k;
    if (k == upperNeedle.size()) return i;
  }
  return kNpos;
}

// Field names are printable ASCII without blanks and without the characters
// that ADIF reserves for tag syntax.
bool IsValidName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c <= ' ' || c >= 0x7f) return false;
    if (c == ',' || c == ':' || c == '<' || c == '>' || c == '{' || c == '}') {
      return false;
    }
  }
  return true;
}

std::string NameForError(const std::string& name) {
  return AdifUpper(name.substr(0, kMaxNameInError));
}

// Returns nullptr and the length, or the reason why `count` is no length of
// at most `available` bytes.
const char* ParseLength(const std::string& count, size_t available, size_t* length) {
  if (count.empty()) return "length is missing";
  const bool negative = count[0] == '-';
  const size_t first = negative ? 1 : 0;
  if (first == count.size()) return "length is not a decimal number";
  for (size_t i = first; i < count.size(); ++i) {
    if (count[i] < '0' || count[i] > '9') return "length is not a decimal number";
  }
  if (negative) return "length is negative";
  size_t value = 0;
  for (char c : count) {
    const size_t digit = static_cast<size_t>(c - '0');
    if (value > (SIZE_MAX - digit) / 10) return "length runs past the end of the file";
    value = value * 10 + digit;
    if (value > available) return "length runs past the end of the file";
  }
  *length = value;
  return nullptr;
}

class AdifParser {
 public:
  AdifParser(const std::string& text, std::vector<AdifRecord>* records, AdifError* error,
             std::vector<AdifError>* warnings)
      : m_text(text),
        m_records(records),
        m_error(error),
        m_warnings(warnings),
        m_headerHint(FindNoCase(text, "<EOH>")) {}

  bool Run() {
    bool sawTag = false;
    for (size_t open = m_text.find('<'); open != kNpos; open = m_text.find('<', m_pos)) {
      sawTag = true;
      if (!ReadTag(open)) return false;
    }
    if (!m_current.fields.empty()) {
      // A log cut short loses no more than the end of its last record.
      if (m_warnings != nullptr) {
        m_warnings->push_back(AdifError{m_records->size() + 1, "",
                                        "the last record is not ended by <EOR>; read all the "
                                        "same, as the file may have been cut short"});
      }
      EndRecord();
    }
    if (!sawTag && !IsBlank(m_text)) {
      Fail(m_text.size(), "", "not an ADIF file: no tags found");
      m_error->record = 0;
      return false;
    }
    return true;
  }

 private:
  bool ReadTag(size_t open) {
    const size_t close = m_text.find('>', open + 1);
    if (close == kNpos) {
      const std::string rest = m_text.substr(open + 1, kMaxNameInError);
      return Fail(open, NameForError(rest.substr(0, rest.find(':'))), "tag is not closed by '>'");
    }
    const std::string inner = m_text.substr(open + 1, close - open - 1);
    const size_t colon = inner.find(':');
    const std::string name = AdifUpper(inner.substr(0, colon));
    m_pos = close + 1;

    if (colon == kNpos) {
      if (name == "EOR") return EndRecord();
      if (name == "EOH") return EndHeader(open);
      if (name.empty()) return Fail(open, "", "empty tag <>");
      return Fail(open, NameForError(name), "tag has no length");
    }
    if (!IsValidName(name)) {
      return Fail(open, NameForError(name),
                  name.empty() ? "field name is empty" : "malformed field name");
    }
    if (name == "EOR" || name == "EOH") {
      return Fail(open, name, "end tag carries a length");
    }
    const size_t typeColon = inner.find(':', colon + 1);
    const std::string count =
        inner.substr(colon + 1, typeColon == kNpos ? kNpos : typeColon - colon - 1);
    size_t length = 0;
    if (const char* problem = ParseLength(count, m_text.size() - m_pos, &length)) {
      return Fail(open, name, problem);
    }
    if (m_current.fields.count(name) != 0) {
      return Fail(open, name, "field appears twice in one record");
    }
    m_current.fields.emplace(name, m_text.substr(m_pos, length));
    m_lastField = name;
    m_pos += length;
    return true;
  }

  bool EndRecord() {
    if (m_current.fields.empty()) return true;
    m_current.number = m_records->size() + 1;
    m_records->push_back(std::move(m_current));
    m_current = AdifRecord();
    m_lastField.clear();
    return true;
  }

  bool EndHeader(size_t open) {
    if (m_headerEnded) return Fail(open, "", "second <EOH>");
    if (!m_records->empty()) return Fail(open, "", "<EOH> after the first record");
    m_headerEnded = true;
    m_current = AdifRecord();
    m_lastField.clear();
    return true;
  }

  bool Fail(size_t offset, const std::string& field, const char* message) {
    const bool inHeader =
        !m_headerEnded && m_records->empty() && m_headerHint != kNpos && offset < m_headerHint;
    m_error->record = inHeader ? 0 : m_records->size() + 1;
    m_error->field = field;
    m_error->message = message;
    return false;
  }

  const std::string& m_text;
  std::vector<AdifRecord>* m_records;
  AdifError* m_error;
  std::vector<AdifError>* m_warnings;  // may be null
  const size_t m_headerHint;           // offset of the first "<EOH>" text, or kNpos
  size_t m_pos = 0;
  bool m_headerEnded = false;
  AdifRecord m_current;
  std::string m_lastField;
};

}  // namespace

std::string AdifRecord::Get(const std::string& upperName) const {
  const auto it = fields.find(upperName);
  return it == fields.end() ? std::string() : it->second;
}

bool AdifRecord::Has(const std::string& upperName) const { return fields.count(upperName) != 0; }

std::string AdifError::ToString() const {
  std::string text = record == 0 ? "before the first record" : "record " + std::to_string(record);
  if (!field.empty()) text += ", field " + field;
  return text + ": " + message;
}

std::string AdifUpper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

bool ReadAdif(const std::string& text, std::vector<AdifRecord>* records, AdifError* error,
              std::vector<AdifError>* warnings) {
  records->clear();
  if (warnings != nullptr) warnings->clear();
  AdifParser parser(text, records, error, warnings);
  return parser.Run();
}

}  // namespace tools
