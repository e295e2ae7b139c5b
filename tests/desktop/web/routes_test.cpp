#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "dashboard_support.hpp"

namespace pellamy::desktop::web::testing {
namespace {

class Routes : public DashboardSuite {};

std::string asset_file(std::string_view name) {
    std::ifstream file{std::string{PELLAMY_SOURCE_DIR "/src/desktop/web/assets/"}.append(name),
                       std::ios::binary};
    return {std::istreambuf_iterator<char>{file}, {}};
}

TEST_F(Routes, AssetsAreServedByteForByteWithTheirType) {
    struct Case {
        std::string_view target;
        std::string_view file;
        std::string_view content_type;
    };
    const Case cases[] = {
        {"/", "index.html", "text/html; charset=utf-8"},
        {"/app.css", "app.css", "text/css; charset=utf-8"},
        {"/app.js", "app.js", "text/javascript; charset=utf-8"},
        {"/fonts/dm-sans.ttf", "fonts/dm-sans.ttf", "font/ttf"},
        {"/fonts/instrument-serif.ttf", "fonts/instrument-serif.ttf", "font/ttf"},
        {"/app.css?v=2", "app.css", "text/css; charset=utf-8"},
        {"/?", "index.html", "text/html; charset=utf-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const RawResponse response = dashboard->get(c.target);
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.values("content-type"), std::vector{std::string{c.content_type}});
        const std::string expected = asset_file(c.file);
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(response.body == expected) << "body differs from " << c.file;
        expect_security_headers(response);
        // Content-Type, Content-Length and the six: no caching headers of their own.
        EXPECT_EQ(response.headers.size(), 8u);
    }
}

TEST_F(Routes, NearMissesAreNotFound) {
    for (const std::string_view target :
         {"/index.html", "/app.css/", "/APP.CSS", "/App.js", "/fonts/", "/fonts/DM-Sans.ttf",
          "/fonts/dm-sans.ttf/", "//", "/api", "/app.css#x", "/%61pp.css", "/favicon.ico"}) {
        SCOPED_TRACE(target);
        const RawResponse response = dashboard->get(target);
        EXPECT_EQ(response.status, 404);
        EXPECT_EQ(response.body, "");
        EXPECT_TRUE(response.values("content-type").empty());
        expect_security_headers(response);
    }
}

}  // namespace
}  // namespace pellamy::desktop::web::testing
