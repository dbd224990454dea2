#include "tools/replay/group_map.h"

#include <sstream>
#include <vector>

#include "tools/adif/adif_values.h"
#include "tools/adif/log_text.h"
#include "tools/replay/replay_plan.h"

namespace tools {

bool GroupMap::Find(const std::string& multCode, std::string* group) const {
  const auto found = groups.find(multCode);
  if (found == groups.end()) return false;
  *group = found->second;
  return true;
}

bool ParseGroupMap(const std::string& bytes, GroupMap* map, std::string* problem) {
  map->groups.clear();
  std::string utf8;
  const std::string& text = Utf16ToUtf8(bytes, &utf8) ? utf8 : bytes;
  const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  size_t number = 0;
  for (size_t at = start; at < text.size();) {
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    std::istringstream words(text.substr(at, end - at));
    at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++number;
    std::vector<std::string> values;
    for (std::string word; words >> word;) values.push_back(UpperTrimmed(word));
    if (values.empty() || values[0][0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    // A log given in the map's place would otherwise pass its first lines
    // off as codes ("START-OF-LOG: 3.0", "<EOH> <EOR>").
    if (values[0].find('<') != std::string::npos) {
      *problem = where + "an ADIF tag (" + values[0] +
                 "): this is an ADIF log, not a map of CODE GROUP lines";
      return false;
    }
    if (values[0].back() == ':') {
      *problem = where + "a Cabrillo tag (" + values[0] +
                 "): this is a Cabrillo log, not a map of CODE GROUP lines";
      return false;
    }
    if (values.size() != 2) {
      *problem = where + "expected a multiplier code and its group code, found " +
                 std::to_string(values.size()) + " values";
      return false;
    }
    const auto added = map->groups.emplace(values[0], values[1]);
    if (!added.second && added.first->second != values[1]) {
      *problem = where + "multiplier code " + values[0] + " is given group " + values[1] +
                 " here and " + added.first->second + " before";
      return false;
    }
  }
  return true;
}

bool ReadGroupMap(const std::string& path, GroupMap* map, std::string* problem) {
  std::string text;
  *map = GroupMap{path, {}};
  return ReadLogFile(path, &text, problem) && ParseGroupMap(text, map, problem);
}

}  // namespace tools
