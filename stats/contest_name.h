#pragma once

// The statistics set's name, as the host lists it and every text of the
// plug-in names it: the dialog's caption and the DLL's version resource
// too. A bare macro, so that resource scripts and CMake read it as well.
#define STATS_CONTEST_NAME "CQ UT CONTEST"
