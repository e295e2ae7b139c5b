#include "desktop/web/status_api.hpp"

#include <string>
#include <utility>

#include "desktop/shared.hpp"

namespace pellamy::desktop::web {

Response status_response(const Shared& shared) {
    std::string json;
    json.reserve(128);
    write_json(shared.snapshot(), json);
    return make_response(http::status::ok, "application/json", {std::move(json)});
}

}  // namespace pellamy::desktop::web
