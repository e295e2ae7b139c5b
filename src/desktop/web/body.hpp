#pragma once

#include <boost/asio/buffer.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional.hpp>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace pellamy::desktop::web {

// A response body that either borrows constant bytes (the embedded assets, sent
// without copying) or owns bytes made for this one response (the status JSON).
struct Body {
    struct value_type {
        std::variant<std::string_view, std::string> bytes;

        std::string_view view() const {
            return std::visit([](const auto& held) { return std::string_view{held}; }, bytes);
        }
    };

    static std::uint64_t size(const value_type& body) { return body.view().size(); }

    class writer {
    public:
        using const_buffers_type = boost::asio::const_buffer;

        template <bool is_request, class Fields>
        writer(const boost::beast::http::header<is_request, Fields>&, const value_type& body)
            : bytes_(body.view()) {}

        void init(boost::system::error_code& error) { error = {}; }

        boost::optional<std::pair<const_buffers_type, bool>> get(boost::system::error_code& error) {
            error = {};
            return std::pair{const_buffers_type{bytes_.data(), bytes_.size()}, false};
        }

    private:
        std::string_view bytes_;
    };
};

}  // namespace pellamy::desktop::web
