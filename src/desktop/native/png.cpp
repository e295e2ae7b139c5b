#include "desktop/native/png.hpp"

// Lets deflate read from const input.
#define ZLIB_CONST
#include <zlib.h>

#include <array>
#include <string_view>

namespace pellamy::desktop::native {
namespace {

constexpr std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint8_t bit_depth = 8;
constexpr std::uint8_t colour_type_rgba = 6;
constexpr std::uint8_t filter_none = 0;
// An 8 KiB window covers a whole 32 × 32 icon and keeps deflate's set-up cheap.
constexpr int window_bits = 13;

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void put_chunk(std::vector<std::uint8_t>& out, std::string_view type,
               std::span<const std::uint8_t> data) {
    put_u32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const auto* checked = out.data() + start;
    put_u32(out, static_cast<std::uint32_t>(
                     ::crc32(0, checked, static_cast<uInt>(type.size() + data.size()))));
}

// Ends the deflate stream on every path.
struct Deflater {
    z_stream stream{};
    bool open = false;
    ~Deflater() {
        if (open) {
            ::deflateEnd(&stream);
        }
    }
};

std::expected<std::vector<std::uint8_t>, Error> compress(std::span<const std::uint8_t> raw) {
    const Error refused{"Could not compress the icon image"};
    Deflater deflater;
    if (deflateInit2(&deflater.stream, Z_BEST_COMPRESSION, Z_DEFLATED, window_bits, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        return std::unexpected{refused};
    }
    deflater.open = true;
    std::vector<std::uint8_t> out(::deflateBound(&deflater.stream, raw.size()));
    deflater.stream.next_in = raw.data();
    deflater.stream.avail_in = static_cast<uInt>(raw.size());
    deflater.stream.next_out = out.data();
    deflater.stream.avail_out = static_cast<uInt>(out.size());
    if (::deflate(&deflater.stream, Z_FINISH) != Z_STREAM_END) {
        return std::unexpected{refused};
    }
    out.resize(deflater.stream.total_out);
    return out;
}

}  // namespace

std::expected<std::vector<std::uint8_t>, Error> encode_png(std::span<const std::uint8_t> rgba,
                                                           std::uint32_t width,
                                                           std::uint32_t height) {
    const std::size_t row_bytes = std::size_t{width} * 4;
    if (width == 0 || height == 0 || rgba.size() != row_bytes * height) {
        return std::unexpected{Error{"The icon image has the wrong size"}};
    }

    // Each scanline starts with its filter type.
    std::vector<std::uint8_t> scanlines;
    scanlines.reserve((row_bytes + 1) * height);
    for (std::size_t row = 0; row < height; ++row) {
        scanlines.push_back(filter_none);
        const auto line = rgba.subspan(row * row_bytes, row_bytes);
        scanlines.insert(scanlines.end(), line.begin(), line.end());
    }
    auto compressed = compress(scanlines);
    if (!compressed) {
        return std::unexpected{std::move(compressed.error())};
    }

    std::vector<std::uint8_t> header;
    put_u32(header, width);
    put_u32(header, height);
    // Bit depth, colour type, then deflate compression, adaptive filtering, no interlace.
    header.insert(header.end(), {bit_depth, colour_type_rgba, 0, 0, 0});

    std::vector<std::uint8_t> png(signature.begin(), signature.end());
    put_chunk(png, "IHDR", header);
    put_chunk(png, "IDAT", *compressed);
    put_chunk(png, "IEND", {});
    return png;
}

}  // namespace pellamy::desktop::native
