#pragma once

#include <signal.h>

namespace pellamy::desktop::native {

// SIGINT, SIGTERM and SIGHUP: they end the event loop the way "Quit tray" does.
sigset_t termination_signals() noexcept;

// Blocks the termination signals in the calling thread, so that the event loop
// reads them from its signalfd instead of the process dying mid-step. Threads
// inherit the mask, so main calls this before any thread starts; children get
// an empty mask from the spawn facility.
void block_termination_signals() noexcept;

}  // namespace pellamy::desktop::native
