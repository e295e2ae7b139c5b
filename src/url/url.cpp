#include "url/url.hpp"

namespace pellamy::url {

std::string_view Url::protocol() const {
    return std::string_view{href_}.substr(0, protocol_end_);
}

std::string_view Url::username() const {
    if (host_begin_ == protocol_end_) {
        return {};
    }
    const auto begin = protocol_end_ + 2;  // after "//"
    return std::string_view{href_}.substr(begin, username_end_ - begin);
}

std::string_view Url::password() const {
    if (username_end_ == host_begin_ || href_[username_end_] != ':') {
        return {};
    }
    // Between ':' and '@'.
    return std::string_view{href_}.substr(username_end_ + 1, host_begin_ - username_end_ - 2);
}

std::string_view Url::host() const {
    return std::string_view{href_}.substr(host_begin_, port_end_ - host_begin_);
}

std::string_view Url::hostname() const {
    return std::string_view{href_}.substr(host_begin_, host_end_ - host_begin_);
}

std::string_view Url::port() const {
    if (port_end_ == host_end_) {
        return {};
    }
    return std::string_view{href_}.substr(host_end_ + 1, port_end_ - host_end_ - 1);
}

std::string_view Url::pathname() const {
    return std::string_view{href_}.substr(path_begin_, query_begin_ - path_begin_);
}

std::string_view Url::search() const {
    if (fragment_begin_ - query_begin_ <= 1) {
        return {};
    }
    return std::string_view{href_}.substr(query_begin_, fragment_begin_ - query_begin_);
}

std::string_view Url::hash() const {
    if (href_.size() - fragment_begin_ <= 1) {
        return {};
    }
    return std::string_view{href_}.substr(fragment_begin_);
}

bool Url::has_query() const {
    return query_begin_ != fragment_begin_;
}

bool Url::has_fragment() const {
    return fragment_begin_ != href_.size();
}

}  // namespace pellamy::url
