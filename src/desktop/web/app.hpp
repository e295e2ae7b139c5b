#pragma once

#include <memory>
#include <string>

namespace pellamy::desktop {
class Shared;
}

namespace pellamy::desktop::web {

// What every request is checked against and served from; fixed once the server starts.
struct App {
    std::string expected_host;           // 127.0.0.1:PORT
    std::string expected_origin;         // http://127.0.0.1:PORT
    std::string expected_authorization;  // Bearer TOKEN
    std::shared_ptr<Shared> shared;
};

}  // namespace pellamy::desktop::web
