// The 25 selectable RF levels and the device's amplitude code of each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelvane {

constexpr std::size_t kLevelCount = 25;

// In dB, single precision as the device's tables hold them.
constexpr std::array<float, kLevelCount> kLevelTable = {
    -11.29f, -11.0f, -10.5f, -10.0f, -9.5f, -9.0f, -8.5f, -8.0f, -7.5f,
    -7.0f,   -6.5f,  -6.0f,  -5.5f,  -5.0f, -4.5f, -4.0f, -3.5f, -3.0f,
    -2.5f,   -2.0f,  -1.5f,  -1.0f,  -0.5f, -0.3f, 0.0f};

// Full scale of the amplitude, and the offset below it that code 0 stands for.
constexpr double kAmplitudeFullScale = 351.0;
constexpr float kAmplitudeCodeOffset = 96.0f;

using LevelCodes = std::array<std::uint8_t, kLevelCount>;

// Code i = floor(351 * 10^(level_i / 20)) - 96, the lowest level held at 0.
LevelCodes BuildLevelCodes();

// The first entry whose code is within 1 of `code`; entry 0 when none is.
std::size_t MatchLevelCode(std::uint8_t code, const LevelCodes& codes);

}  // namespace zelvane
