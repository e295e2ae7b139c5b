#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "url/ascii.hpp"
#include "url/host.hpp"
#include "url/input.hpp"
#include "url/percent_encode.hpp"
#include "url/url.hpp"

namespace pellamy::url {
namespace {

enum class SchemeKind { NotSpecial, Special, File };

struct Scheme {
    SchemeKind kind = SchemeKind::NotSpecial;
    std::optional<std::uint16_t> default_port;
};

Scheme classify(std::string_view scheme) {
    static constexpr std::array<std::pair<std::string_view, std::uint16_t>, 5> ports{
        {{"ftp", 21}, {"http", 80}, {"https", 443}, {"ws", 80}, {"wss", 443}}};
    if (scheme == "file") {
        return {SchemeKind::File, std::nullopt};
    }
    for (const auto& [name, port] : ports) {
        if (scheme == name) {
            return {SchemeKind::Special, port};
        }
    }
    return {};
}

bool is_scheme_code_point(char c) {
    return is_ascii_alpha(c) || is_ascii_digit(c) || c == '+' || c == '-' || c == '.';
}

// "C:" or "C|", which file URLs treat as the start of a Windows path.
bool is_windows_drive_letter(std::string_view text) {
    return text.size() == 2 && is_ascii_alpha(text[0]) && (text[1] == ':' || text[1] == '|');
}

// Takes one "." or "%2e" off the front of text.
bool consume_dot(std::string_view& text) {
    if (text.starts_with('.')) {
        text.remove_prefix(1);
        return true;
    }
    if (text.size() >= 3 && text[0] == '%' && text[1] == '2' && to_ascii_lower(text[2]) == 'e') {
        text.remove_prefix(3);
        return true;
    }
    return false;
}

bool is_single_dot(std::string_view segment) {
    return consume_dot(segment) && segment.empty();
}

bool is_double_dot(std::string_view segment) {
    return consume_dot(segment) && consume_dot(segment) && segment.empty();
}

}  // namespace

// The standard's basic URL parser without a base URL. It writes the
// serialisation as it goes and marks where each component lies.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text), href_(url_.href_) {}

    std::expected<Url, ParseError> run() {
        if (!parse_scheme()) {
            return std::unexpected(ParseError{"missing scheme"});
        }
        if (auto hierarchy = parse_hierarchy(); !hierarchy) {
            return std::unexpected(std::move(hierarchy.error()));
        }
        parse_query_and_fragment();
        return std::move(url_);
    }

private:
    bool special() const { return scheme_.kind != SchemeKind::NotSpecial; }
    bool at_end() const { return pos_ >= text_.size(); }
    bool next_is(char c) const { return !at_end() && text_[pos_] == c; }
    bool is_slash_at(std::size_t at) const {
        return at < text_.size() && (text_[at] == '/' || (special() && text_[at] == '\\'));
    }
    bool next_is_slash() const { return is_slash_at(pos_); }

    // The position of the first of stops at or after pos_, or the end.
    std::size_t find_from_pos(std::string_view stops) const {
        return std::min(text_.find_first_of(stops, pos_), text_.size());
    }
    std::size_t component_end() const { return find_from_pos(special() ? "/\\?#" : "/?#"); }

    static std::unexpected<ParseError> fail(const char* reason) {
        return std::unexpected(ParseError{reason});
    }

    bool parse_scheme() {
        if (text_.empty() || !is_ascii_alpha(text_[0])) {
            return false;
        }
        const auto colon = static_cast<std::size_t>(
            std::find_if_not(text_.begin(), text_.end(), is_scheme_code_point) - text_.begin());
        if (colon == text_.size() || text_[colon] != ':') {
            return false;
        }
        std::ranges::transform(text_.substr(0, colon), std::back_inserter(href_), to_ascii_lower);
        scheme_ = classify(href_);
        href_ += ':';
        url_.protocol_end_ = href_.size();
        pos_ = colon + 1;
        return true;
    }

    std::expected<void, ParseError> parse_hierarchy() {
        if (scheme_.kind == SchemeKind::File) {
            return parse_file();
        }
        if (special()) {
            while (next_is_slash()) {
                ++pos_;
            }
            return parse_authority();
        }
        if (text_.substr(pos_).starts_with("//")) {
            pos_ += 2;
            return parse_authority();
        }
        end_authority();
        if (next_is('/')) {
            ++pos_;
            parse_path();
        } else {
            parse_opaque_path();
        }
        return {};
    }

    std::expected<void, ParseError> parse_authority() {
        const auto end = component_end();
        auto authority = text_.substr(pos_, end - pos_);
        pos_ = end;
        href_ += "//";
        has_host_ = true;
        const auto at_sign = authority.rfind('@');
        if (at_sign == std::string_view::npos) {
            url_.username_end_ = href_.size();
        } else {
            append_credentials(authority.substr(0, at_sign));
            authority.remove_prefix(at_sign + 1);
            if (authority.empty()) {
                return fail("missing host");
            }
        }
        url_.host_begin_ = href_.size();
        if (auto host = parse_host_and_port(authority); !host) {
            return host;
        }
        start_path();
        return {};
    }

    void append_credentials(std::string_view userinfo) {
        const auto begin = href_.size();
        const auto colon = userinfo.find(':');
        append_percent_encoded(href_, userinfo.substr(0, colon), userinfo_set);
        url_.username_end_ = href_.size();
        if (colon != std::string_view::npos && colon + 1 < userinfo.size()) {
            href_ += ':';
            append_percent_encoded(href_, userinfo.substr(colon + 1), userinfo_set);
        }
        if (href_.size() > begin) {
            href_ += '@';
        }
    }

    std::expected<void, ParseError> parse_host_and_port(std::string_view authority) {
        bool in_brackets = false;
        const auto colon = std::ranges::find_if(authority, [&](char c) {
            in_brackets = c == '[' || (in_brackets && c != ']');
            return c == ':' && !in_brackets;
        });
        const std::string_view host(authority.begin(), colon);
        if (host.empty() && (colon != authority.end() || special())) {
            return fail("missing host");
        }
        if (auto appended = append_host(href_, host, special()); !appended) {
            return appended;
        }
        url_.host_end_ = href_.size();
        if (colon != authority.end()) {
            return append_port(std::string_view(colon + 1, authority.end()));
        }
        return {};
    }

    std::expected<void, ParseError> append_port(std::string_view digits) {
        if (!std::ranges::all_of(digits, is_ascii_digit)) {
            return fail("invalid port");
        }
        if (digits.empty()) {
            return {};
        }
        std::uint32_t port = 0;
        for (const char c : digits) {
            port = std::min<std::uint32_t>(port * 10 + static_cast<std::uint32_t>(c - '0'), 65536);
        }
        if (port > 65535) {
            return fail("port out of range");
        }
        if (port != scheme_.default_port) {
            href_ += ':';
            href_ += std::to_string(port);
        }
        return {};
    }

    std::expected<void, ParseError> parse_file() {
        href_ += "//";
        has_host_ = true;
        url_.username_end_ = url_.host_begin_ = href_.size();
        if (!is_slash_at(pos_) || !is_slash_at(pos_ + 1)) {
            url_.host_end_ = href_.size();
            end_authority();
            if (next_is_slash()) {
                ++pos_;
            }
            parse_path();
            return {};
        }
        pos_ += 2;
        const auto end = component_end();
        const auto host = text_.substr(pos_, end - pos_);
        if (is_windows_drive_letter(host)) {
            // Not a host but the first path segment.
            url_.host_end_ = href_.size();
            end_authority();
            parse_path();
            return {};
        }
        if (!host.empty()) {
            if (auto appended = append_host(href_, host, true); !appended) {
                return appended;
            }
            if (std::string_view{href_}.substr(url_.host_begin_) == "localhost") {
                href_.resize(url_.host_begin_);
            }
        }
        url_.host_end_ = href_.size();
        pos_ = end;
        start_path();
        return {};
    }

    void end_authority() {
        if (!has_host_) {
            url_.username_end_ = url_.host_begin_ = url_.host_end_ = href_.size();
        }
        url_.port_end_ = url_.path_begin_ = href_.size();
    }

    // After a host: special URLs always have a path, others only after '/'.
    void start_path() {
        end_authority();
        if (next_is_slash()) {
            ++pos_;
            parse_path();
        } else if (special()) {
            parse_path();
        }
    }

    // Segments from pos_ up to '?', '#' or the end, each written as '/' and the
    // segment, with "." and ".." resolved.
    void parse_path() {
        while (true) {
            const auto end = component_end();
            const auto segment = text_.substr(pos_, end - pos_);
            pos_ = end;
            const bool more = next_is_slash();
            if (is_double_dot(segment)) {
                shorten_path();
                if (!more) {
                    href_ += '/';
                }
            } else if (is_single_dot(segment)) {
                if (!more) {
                    href_ += '/';
                }
            } else {
                const bool first = href_.size() == url_.path_begin_;
                href_ += '/';
                if (scheme_.kind == SchemeKind::File && first && is_windows_drive_letter(segment)) {
                    href_ += segment[0];
                    href_ += ':';
                } else {
                    append_percent_encoded(href_, segment, path_set);
                }
            }
            if (!more) {
                break;
            }
            ++pos_;
        }
        if (!has_host_ && std::string_view{href_}.substr(url_.path_begin_).starts_with("//")) {
            // Keeps the path from reading as an authority when parsed again.
            href_.insert(url_.path_begin_, "/.");
            url_.path_begin_ += 2;
        }
    }

    void shorten_path() {
        const auto path = std::string_view{href_}.substr(url_.path_begin_);
        const bool drive_letter = path.size() == 3 && is_ascii_alpha(path[1]) && path[2] == ':';
        if (path.empty() || (scheme_.kind == SchemeKind::File && drive_letter)) {
            return;
        }
        href_.resize(href_.rfind('/'));
    }

    void parse_opaque_path() {
        const auto end = find_from_pos("?#");
        auto path = text_.substr(pos_, end - pos_);
        pos_ = end;
        // A space before '?' or '#' would be lost as trailing space when parsed again.
        const bool space_at_end = !at_end() && path.ends_with(' ');
        if (space_at_end) {
            path.remove_suffix(1);
        }
        append_percent_encoded(href_, path, c0_control_set);
        if (space_at_end) {
            href_ += "%20";
        }
    }

    void parse_query_and_fragment() {
        url_.query_begin_ = href_.size();
        if (next_is('?')) {
            ++pos_;
            const auto end = find_from_pos("#");
            href_ += '?';
            append_percent_encoded(href_, text_.substr(pos_, end - pos_),
                                   special() ? special_query_set : query_set);
            pos_ = end;
        }
        url_.fragment_begin_ = href_.size();
        if (next_is('#')) {
            href_ += '#';
            append_percent_encoded(href_, text_.substr(pos_ + 1), fragment_set);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    Scheme scheme_;
    bool has_host_ = false;
    Url url_;
    std::string& href_;
};

std::expected<Url, ParseError> parse(std::string_view input) {
    std::string storage;
    return Parser{prepare_input(input, storage)}.run();
}

}  // namespace pellamy::url
