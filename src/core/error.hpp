#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace pellamy::core {

// A message compiled into the program. The constructor only accepts constant
// expressions, so an Error never owns or frees the text it shows.
class StaticText {
public:
    consteval StaticText(const char* text) : text_(text) {}  // NOLINT: implicit on purpose
    std::string_view view() const { return text_; }

private:
    const char* text_;
};

// The kinds, in the order the service and its tool share.
enum class ErrorKind : std::uint8_t {
    Crypto,
    Unauthorized,
    Locked,
    ElevationRequired,
    Invalid,
    NotFound,
    AmbiguousId,
    Conflict,
    Limit,
    Model,
    ModelHttp,
    JobStep,
    Io,
    Sql,
    Json,
};

// A failure wrapped by Sql or Json: only its own description and debug form.
struct WrappedFailure {
    std::string description;
    std::string debug;
};

// The service's error type: one kind with a fixed user-facing message.
class Error {
public:
    static Error crypto() { return Error{ErrorKind::Crypto}; }
    static Error unauthorized() { return Error{ErrorKind::Unauthorized}; }
    static Error locked() { return Error{ErrorKind::Locked}; }
    static Error elevation_required() { return Error{ErrorKind::ElevationRequired}; }
    static Error invalid(StaticText message) { return Error{ErrorKind::Invalid, message}; }
    static Error not_found() { return Error{ErrorKind::NotFound}; }
    static Error ambiguous_id() { return Error{ErrorKind::AmbiguousId}; }
    static Error conflict() { return Error{ErrorKind::Conflict}; }
    static Error limit() { return Error{ErrorKind::Limit}; }
    static Error model(StaticText message) { return Error{ErrorKind::Model, message}; }
    static Error model_http(std::uint16_t status) { return Error{ErrorKind::ModelHttp, status}; }
    static Error job_step(std::uint64_t step, Error source);
    static Error io(std::error_code cause) { return Error{ErrorKind::Io, cause}; }
    static Error sql(WrappedFailure cause) { return Error{ErrorKind::Sql, std::move(cause)}; }
    static Error json(WrappedFailure cause) { return Error{ErrorKind::Json, std::move(cause)}; }

    Error(const Error& other);
    Error& operator=(const Error& other);
    Error(Error&&) noexcept = default;
    Error& operator=(Error&&) noexcept = default;
    ~Error() = default;

    ErrorKind kind() const { return kind_; }

    // The user-facing message: no prefix, no kind name, no final punctuation.
    std::string display() const;

    // The kind's name with its data, for diagnostics only.
    std::string debug() const;

    // JobStep's source; null for every other kind.
    const Error* source() const;

    // The description of the cause: JobStep's source, or the wrapped failure of
    // Io, Sql and Json. None for the other kinds.
    std::optional<std::string> cause() const;

    // The wrapped operating-system error of Io.
    std::optional<std::error_code> io_error() const;

    // Fields of the kinds that carry data; zero or empty for the others.
    std::string_view message() const;
    std::uint16_t status() const;
    std::uint64_t step() const;

private:
    struct Step {
        std::uint64_t number;
        std::unique_ptr<Error> source;
    };
    using Data = std::variant<std::monostate, StaticText, std::uint16_t, Step, std::error_code,
                              WrappedFailure>;

    // The data is built in place: GCC 12 warns of uninitialised alternatives
    // when a whole variant is moved in wherever these factories are inlined.
    explicit Error(ErrorKind kind) : kind_(kind) {}
    template <typename T>
    Error(ErrorKind kind, T value) : kind_(kind), data_(std::move(value)) {}
    static Data copy(const Data& data);

    ErrorKind kind_;
    Data data_;
};

std::string_view kind_name(ErrorKind kind);

}  // namespace pellamy::core
