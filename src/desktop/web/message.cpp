#include "desktop/web/message.hpp"

#include <utility>

namespace pellamy::desktop::web {

Response make_response(http::status status, std::string_view content_type, Body::value_type body) {
    Response response{status, 11, std::move(body)};
    if (!content_type.empty()) {
        response.set(http::field::content_type, content_type);
    }
    response.prepare_payload();
    return response;
}

std::string_view path_of(std::string_view target) {
    return target.substr(0, target.find('?'));
}

}  // namespace pellamy::desktop::web
