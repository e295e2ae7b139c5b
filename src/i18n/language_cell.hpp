#pragma once

#include <atomic>
#include <cstdint>

#include "i18n/language.hpp"

namespace pellamy::i18n {

// A language written at most once and read from any thread; English until written.
class LanguageCell {
public:
    // False, leaving the cell unchanged, when it already holds a language.
    bool set(Language language);
    Language get() const;

private:
    static constexpr std::uint8_t unset = 0xFF;
    std::atomic<std::uint8_t> value_{unset};
};

// The process's own cell, filled by initialize().
LanguageCell& language_cell();

}  // namespace pellamy::i18n
