#include "command_line.hpp"
#include "desktop/native/signals.hpp"
#include "i18n/initialize.hpp"

int main(int argc, char** argv) {
    pellamy::desktop::native::block_termination_signals();
    pellamy::i18n::initialize(argc, argv);
    const auto args = pellamy::parse_command_line(argc, argv);
    if (!args) {
        return args.error().status;
    }
    return 0;
}
