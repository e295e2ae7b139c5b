#include "core/endpoint_url.hpp"
#include "core/rag_config.hpp"

namespace pellamy::core {
namespace {

constexpr std::size_t max_model_bytes = 200;
constexpr std::uint32_t max_dimensions = 4096;
constexpr std::size_t max_variable_name = 128;

// C0 controls, DEL and the C1 controls (U+0080..U+009F, encoded 0xC2 0x80..0x9F).
bool has_control_character(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F || (byte == 0xC2 && next >= 0x80 && next <= 0x9F)) {
            return true;
        }
    }
    return false;
}

bool is_variable_name(std::string_view name) {
    if (name.empty() || name.size() > max_variable_name) {
        return false;
    }
    return name.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
               "0123456789_") == std::string_view::npos;
}

}  // namespace

std::expected<void, Error> Endpoint::validate() const {
    if (const auto parsed = endpoint_url(url); !parsed) {
        return std::unexpected{parsed.error()};
    }
    if (dimensions && (*dimensions == 0 || *dimensions > max_dimensions)) {
        return std::unexpected{Error::invalid("invalid embedding dimensions")};
    }
    if (model.size() > max_model_bytes || has_control_character(model)) {
        return std::unexpected{Error::invalid("invalid model name")};
    }
    if (api_key_env && !is_variable_name(*api_key_env)) {
        return std::unexpected{
            Error::invalid("API key configuration must name an environment variable")};
    }
    return {};
}

}  // namespace pellamy::core
