#pragma once

#include <cstdint>

namespace vexa {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The program's fixed colour set; the windows only translate these into their own colour type.
namespace colours {
inline constexpr Rgb grey{204, 204, 204};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb lightgreen{158, 232, 155};
inline constexpr Rgb lightred{239, 162, 162};
inline constexpr Rgb darkgreen{0, 100, 0};
inline constexpr Rgb orange{255, 165, 0};
inline constexpr Rgb lightorange{242, 180, 123};
inline constexpr Rgb QYblue{32, 157, 188};
inline constexpr Rgb KRred{214, 61, 61};
inline constexpr Rgb quorgruen{0, 139, 156};
inline constexpr Rgb pemrablue{0, 76, 151};
inline constexpr Rgb red{255, 0, 0};
} // namespace colours

} // namespace vexa
