#include "tests/dialog_watcher.h"

namespace testing_support {

const bool DialogWatcher::kShowsWindows = false;

DialogWatcher::DialogWatcher(const std::string&, int, const std::map<int, std::string>&) {}
DialogWatcher::~DialogWatcher() = default;
bool DialogWatcher::Finish() { return false; }

}  // namespace testing_support
