#include "desktop/web/routes.hpp"

#include <array>

#include "desktop/web/status_api.hpp"
#include "embedded/web_assets.hpp"

namespace pellamy::desktop::web {
namespace {

struct Asset {
    std::string_view path;
    std::string_view content_type;
    std::string_view bytes;
};

}  // namespace

Response route(const App& app, std::string_view path) {
    if (path == "/api/status") {
        return status_response(*app.shared);
    }
    const std::array<Asset, 5> assets{{
        {"/", "text/html; charset=utf-8", asset::index_html},
        {"/app.css", "text/css; charset=utf-8", asset::app_css},
        {"/app.js", "text/javascript; charset=utf-8", asset::app_js},
        {"/fonts/dm-sans.ttf", "font/ttf", asset::dm_sans_ttf},
        {"/fonts/instrument-serif.ttf", "font/ttf", asset::instrument_serif_ttf},
    }};
    for (const Asset& asset : assets) {
        if (asset.path == path) {
            return make_response(http::status::ok, asset.content_type, {asset.bytes});
        }
    }
    return make_response(http::status::not_found);
}

}  // namespace pellamy::desktop::web
