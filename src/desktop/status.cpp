#include "desktop/status.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <boost/json.hpp>
#include <span>

#include "desktop/json_writer.hpp"

namespace pellamy::desktop {
namespace {

namespace json = boost::json;

constexpr std::array<std::string_view, 4> status_fields{"version", "initialized", "unlocked",
                                                        "details"};
constexpr std::array<std::string_view, 10> details_fields{
    "vaults",         "proxies",       "remote_sessions", "providers", "syncing",
    "outbox_pending", "inbox_pending", "applied",         "rejected",  "dirty_vaults"};

// The members of one record, taken by name from an object or by position from
// an array that holds exactly one element per field.
class Fields {
public:
    Fields(const json::object& object, std::span<const std::string_view> names)
        : object_(&object), names_(names) {}
    Fields(const json::array& array, std::span<const std::string_view> names)
        : array_(&array), names_(names) {}

    // Null when an object lacks the member.
    const json::value* get(std::string_view name) const {
        if (object_ != nullptr) {
            return object_->if_contains(name);
        }
        const auto position = std::ranges::find(names_, name) - names_.begin();
        return &(*array_)[static_cast<std::size_t>(position)];
    }

private:
    const json::object* object_ = nullptr;
    const json::array* array_ = nullptr;
    std::span<const std::string_view> names_;
};

// Reads values and keeps the first broken rule; after a failure the values it
// returns are placeholders that are never used.
class Reader {
public:
    std::optional<Fields> fields(const json::value& value, std::span<const std::string_view> names,
                                 std::string_view record) {
        if (const auto* object = value.if_object()) {
            return Fields{*object, names};
        }
        if (const auto* array = value.if_array()) {
            if (array->size() == names.size()) {
                return Fields{*array, names};
            }
            fail(fmt::format("{} array must hold {} elements, not {}", record, names.size(),
                             array->size()));
            return std::nullopt;
        }
        fail(fmt::format("{} must be an object or an array", record));
        return std::nullopt;
    }

    std::string text(const Fields& fields, std::string_view name) {
        const json::value* value = present(fields, name);
        if (value != nullptr && value->is_string()) {
            return std::string{value->get_string()};
        }
        invalid(value, name, "a string");
        return {};
    }

    bool boolean(const Fields& fields, std::string_view name) {
        const json::value* value = present(fields, name);
        if (value != nullptr && value->is_bool()) {
            return value->get_bool();
        }
        invalid(value, name, "true or false");
        return false;
    }

    // Only integers written without fraction or exponent parse as int64 or uint64.
    std::uint64_t counter(const Fields& fields, std::string_view name) {
        const json::value* value = present(fields, name);
        if (value != nullptr && value->is_uint64()) {
            return value->get_uint64();
        }
        if (value != nullptr && value->is_int64() && value->get_int64() >= 0) {
            return static_cast<std::uint64_t>(value->get_int64());
        }
        invalid(value, name, "an integer from 0 to 18446744073709551615");
        return 0;
    }

    std::vector<Provider> providers(const Fields& fields, std::string_view name) {
        std::vector<Provider> list;
        const json::value* value = present(fields, name);
        if (value == nullptr || !value->is_array()) {
            invalid(value, name, "an array of providers");
            return list;
        }
        list.reserve(value->get_array().size());
        for (const json::value& element : value->get_array()) {
            const auto provider = read_provider(element);
            if (!provider) {
                invalid(&element, name, "an array of providers");
                return list;
            }
            list.push_back(*provider);
        }
        return list;
    }

    const std::optional<std::string>& error() const { return error_; }

private:
    static std::optional<Provider> provider_named(std::string_view text) {
        if (text == "onedrive") {
            return Provider::OneDrive;
        }
        if (text == "google_drive") {
            return Provider::GoogleDrive;
        }
        return std::nullopt;
    }

    // "onedrive", or {"onedrive": null}.
    static std::optional<Provider> read_provider(const json::value& value) {
        if (const auto* text = value.if_string()) {
            return provider_named(*text);
        }
        const auto* object = value.if_object();
        if (object != nullptr && object->size() == 1 && object->begin()->value().is_null()) {
            return provider_named(object->begin()->key());
        }
        return std::nullopt;
    }

    const json::value* present(const Fields& fields, std::string_view name) {
        const json::value* value = fields.get(name);
        if (value == nullptr) {
            fail(fmt::format("missing field `{}`", name));
        }
        return value;
    }

    void invalid(const json::value* value, std::string_view name, std::string_view expected) {
        if (value != nullptr) {
            fail(fmt::format("`{}` must be {}", name, expected));
        }
    }

    void fail(std::string message) {
        if (!error_) {
            error_ = std::move(message);
        }
    }

    std::optional<std::string> error_;
};

std::optional<DesktopDetails> read_details(Reader& reader, const json::value& value) {
    const auto fields = reader.fields(value, details_fields, "details");
    if (!fields) {
        return std::nullopt;
    }
    return DesktopDetails{
        .vaults = reader.counter(*fields, "vaults"),
        .proxies = reader.counter(*fields, "proxies"),
        .remote_sessions = reader.counter(*fields, "remote_sessions"),
        .providers = reader.providers(*fields, "providers"),
        .syncing = reader.providers(*fields, "syncing"),
        .outbox_pending = reader.counter(*fields, "outbox_pending"),
        .inbox_pending = reader.counter(*fields, "inbox_pending"),
        .applied = reader.counter(*fields, "applied"),
        .rejected = reader.counter(*fields, "rejected"),
        .dirty_vaults = reader.counter(*fields, "dirty_vaults"),
    };
}

void write_providers(const std::vector<Provider>& providers, std::string& out) {
    out += '[';
    for (std::size_t i = 0; i < providers.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += '"';
        out += provider_text(providers[i]);
        out += '"';
    }
    out += ']';
}

void write_details(const DesktopDetails& details, std::string& out) {
    const auto counter = [&out](std::string_view member, std::uint64_t value) {
        out += member;
        append_json_uint(out, value);
    };
    counter("{\"vaults\":", details.vaults);
    counter(",\"proxies\":", details.proxies);
    counter(",\"remote_sessions\":", details.remote_sessions);
    out += ",\"providers\":";
    write_providers(details.providers, out);
    out += ",\"syncing\":";
    write_providers(details.syncing, out);
    counter(",\"outbox_pending\":", details.outbox_pending);
    counter(",\"inbox_pending\":", details.inbox_pending);
    counter(",\"applied\":", details.applied);
    counter(",\"rejected\":", details.rejected);
    counter(",\"dirty_vaults\":", details.dirty_vaults);
    out += '}';
}

}  // namespace

std::string_view provider_text(Provider provider) {
    return provider == Provider::OneDrive ? "onedrive" : "google_drive";
}

std::expected<DesktopStatus, std::string> read_status(const json::value& value) {
    Reader reader;
    const auto fields = reader.fields(value, status_fields, "status record");
    if (!fields) {
        return std::unexpected(*reader.error());
    }
    DesktopStatus status{
        .version = reader.text(*fields, "version"),
        .initialized = reader.boolean(*fields, "initialized"),
        .unlocked = reader.boolean(*fields, "unlocked"),
        .details = std::nullopt,
    };
    const json::value* details = fields->get("details");
    if (details != nullptr && !details->is_null()) {
        status.details = read_details(reader, *details);
    }
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return status;
}

void write_json(const DesktopStatus& status, std::string& out) {
    out += "{\"version\":";
    append_json_string(out, status.version);
    out += ",\"initialized\":";
    append_json_bool(out, status.initialized);
    out += ",\"unlocked\":";
    append_json_bool(out, status.unlocked);
    out += ",\"details\":";
    if (status.details) {
        write_details(*status.details, out);
    } else {
        out += "null";
    }
    out += '}';
}

StatusState status_state(bool connected, const std::optional<DesktopStatus>& service) {
    if (!connected) {
        return StatusState::Offline;
    }
    if (!service || !service->initialized) {
        return StatusState::SetupRequired;
    }
    return service->unlocked ? StatusState::Unlocked : StatusState::Locked;
}

std::string_view state_text(StatusState state) {
    switch (state) {
        case StatusState::Offline:
            return "Daemon offline";
        case StatusState::SetupRequired:
            return "Setup required";
        case StatusState::Locked:
            return "Vault locked";
        case StatusState::Unlocked:
            return "Vault unlocked";
    }
    return {};
}

}  // namespace pellamy::desktop
