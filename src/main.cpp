#include "command_line.hpp"

int main(int argc, char** argv) {
    const auto args = pellamy::parse_command_line(argc, argv);
    if (!args) {
        return args.error().status;
    }
    return 0;
}
