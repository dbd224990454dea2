#pragma once

namespace fuzzing {

// Makes a fresh private folder the current directory for the rest of the
// process and removes it at exit. The folder lies on a memory file system
// when there is one (/dev/shm), so that the fsync of every file written
// costs nothing; else under TMPDIR or /tmp. Standard input is replaced by
// /dev/null, so no terminal form can ever wait for an operator.
void EnterPrivateWorkDir(const char* prefix);

// Whether the work folder holds nothing.
bool WorkDirIsEmpty();

}  // namespace fuzzing
