#pragma once

#include <string>

namespace platform {

// Whether a new file can be created in `folder` ("" is the current one):
// creates an empty file of a name no one else uses there and removes it at
// once. Permissions, a read-only file system and a folder that takes no
// files (as /proc) all give false.
bool CanCreateFileIn(const std::string& folder);

}  // namespace platform
