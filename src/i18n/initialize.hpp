#pragma once

namespace pellamy::i18n {

// Chooses the user-interface language from the raw arguments, the environment,
// the stored preference and the locale, and keeps it for the whole run. Call it
// first, before any other thread exists; later calls change nothing. Never
// fails and never prints.
void initialize(int argc, const char* const* argv);

}  // namespace pellamy::i18n
