#pragma once

#include "window/KeySender.h"

namespace vexa {

// Starts `commandLine` detached from this program, split as a shell splits it but never run by one, so
// that nothing in it is expanded or run beside the program. A "C:\..." path is refused before it is
// looked for: no Linux program has one, and a settings file carried over from Windows holds them.
KeySender::Start startProgram(const QString& commandLine);

} // namespace vexa
