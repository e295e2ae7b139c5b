#include "core/error.hpp"

#include <fmt/format.h>

#include <array>

namespace pellamy::core {
namespace {

constexpr std::array<std::string_view, 15> kind_names{
    "Crypto",   "Unauthorized", "Locked", "ElevationRequired", "Invalid", "NotFound", "AmbiguousId",
    "Conflict", "Limit",        "Model",  "ModelHttp",         "JobStep", "Io",       "Sql",
    "Json",
};

}  // namespace

std::string_view kind_name(ErrorKind kind) {
    return kind_names.at(static_cast<std::size_t>(kind));
}

Error Error::job_step(std::uint64_t step, Error source) {
    return Error{ErrorKind::JobStep, Step{step, std::make_unique<Error>(std::move(source))}};
}

Error::Data Error::copy(const Data& data) {
    return std::visit(
        [](const auto& value) -> Data {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Step>) {
                return Step{value.number, std::make_unique<Error>(*value.source)};
            } else {
                return value;
            }
        },
        data);
}

Error::Error(const Error& other) : kind_(other.kind_), data_(copy(other.data_)) {}

Error& Error::operator=(const Error& other) {
    if (this != &other) {
        Data data = copy(other.data_);
        kind_ = other.kind_;
        data_ = std::move(data);
    }
    return *this;
}

std::string Error::display() const {
    switch (kind_) {
        case ErrorKind::Crypto:
            return "authentication or integrity verification failed";
        case ErrorKind::Unauthorized:
            return "permission denied";
        case ErrorKind::Locked:
            return "vault is locked";
        case ErrorKind::ElevationRequired:
            return "elevated authorization required";
        case ErrorKind::Invalid:
        case ErrorKind::Model:
            return std::string{message()};
        case ErrorKind::NotFound:
            return "object not found";
        case ErrorKind::AmbiguousId:
            return "ambiguous short ID; list or search again and use the returned ID";
        case ErrorKind::Conflict:
            return "conflict requires explicit resolution";
        case ErrorKind::Limit:
            return "size or capacity limit exceeded";
        case ErrorKind::ModelHttp:
            return fmt::format("model endpoint returned HTTP {}", status());
        case ErrorKind::JobStep:
            return fmt::format("cryptographic job step {} failed: {}", step(), source()->display());
        case ErrorKind::Io:
            return "storage operation failed";
        case ErrorKind::Sql:
            return "database operation failed";
        case ErrorKind::Json:
            return "invalid serialized data";
    }
    return {};
}

std::string Error::debug() const {
    const std::string_view name = kind_name(kind_);
    switch (kind_) {
        case ErrorKind::Invalid:
        case ErrorKind::Model:
            return fmt::format("{}(\"{}\")", name, message());
        case ErrorKind::ModelHttp:
            return fmt::format("{} {{ status: {} }}", name, status());
        case ErrorKind::JobStep:
            return fmt::format("{} {{ step: {}, source: {} }}", name, step(), source()->debug());
        case ErrorKind::Io: {
            const auto& code = std::get<std::error_code>(data_);
            return fmt::format("{}({}:{} \"{}\")", name, code.category().name(), code.value(),
                               code.message());
        }
        case ErrorKind::Sql:
        case ErrorKind::Json:
            return fmt::format("{}({})", name, std::get<WrappedFailure>(data_).debug);
        default:
            return std::string{name};
    }
}

const Error* Error::source() const {
    const auto* step = std::get_if<Step>(&data_);
    return step ? step->source.get() : nullptr;
}

std::optional<std::string> Error::cause() const {
    if (const Error* inner = source()) {
        return inner->display();
    }
    if (const auto* code = std::get_if<std::error_code>(&data_)) {
        return code->message();
    }
    if (const auto* failure = std::get_if<WrappedFailure>(&data_)) {
        return failure->description;
    }
    return std::nullopt;
}

std::optional<std::error_code> Error::io_error() const {
    if (const auto* code = std::get_if<std::error_code>(&data_)) {
        return *code;
    }
    return std::nullopt;
}

std::string_view Error::message() const {
    const auto* text = std::get_if<StaticText>(&data_);
    return text ? text->view() : std::string_view{};
}

std::uint16_t Error::status() const {
    const auto* status = std::get_if<std::uint16_t>(&data_);
    return status ? *status : 0;
}

std::uint64_t Error::step() const {
    const auto* step = std::get_if<Step>(&data_);
    return step ? step->number : 0;
}

}  // namespace pellamy::core
