#pragma once

#include <string>

namespace cabrillo {

// `text` with every occurrence of `search` replaced by `replacement`,
// scanning left to right: occurrences never overlap and a replacement is
// never scanned again. `search` must not be empty.
std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement);

}  // namespace cabrillo
