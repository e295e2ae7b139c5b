#include "i18n/initialize.hpp"

#include <string_view>
#include <vector>

#include "i18n/language_cell.hpp"
#include "i18n/language_choice.hpp"

namespace pellamy::i18n {

void initialize(int argc, const char* const* argv) {
    std::vector<std::string_view> arguments;
    for (int i = 0; i < argc && argv[i] != nullptr; ++i) {
        arguments.emplace_back(argv[i]);
    }
    language_cell().set(choose_language(arguments));
}

}  // namespace pellamy::i18n
