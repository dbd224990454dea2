#include "tools/logreplay/group_map.h"

#include <sstream>
#include <vector>

#include "tools/adif/adif_values.h"

namespace tools {

bool GroupMap::Find(const std::string& multCode, std::string* group) const {
  const auto found = groups.find(multCode);
  if (found == groups.end()) return false;
  *group = found->second;
  return true;
}

bool ParseGroupMap(const std::string& text, GroupMap* map, std::string* problem) {
  map->groups.clear();
  std::istringstream lines(text);
  std::string line;
  for (size_t number = 1; std::getline(lines, line); ++number) {
    std::istringstream words(line);
    std::vector<std::string> values;
    for (std::string word; words >> word;) values.push_back(UpperTrimmed(word));
    if (values.empty() || values[0][0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
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

}  // namespace tools
