#pragma once

#include "window/KeySender.h"

namespace vexa {

// Starts `commandLine` detached from this program, split as a shell splits it but never run by one, so
// that nothing in it is expanded or run beside the program. The error texts, each followed by the
// program named:
//   "no program"        the line is empty
//   "Windows path: "    a path such as "C:\...", carried over from a Windows PC, which no Linux program has
//   "not found: "       no such file, nor a program of that name on PATH
//   "not executable: "  the file is a folder or lacks the execute permission
//   "cannot start: "    the system did not run it
KeySender::Start startProgram(const QString& commandLine);

} // namespace vexa
