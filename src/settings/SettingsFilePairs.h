#pragma once

#include "core/SettingsModel.h"

#include <QString>

#include <array>
#include <cstdint>
#include <variant>

// Where the value of one key/value pair of the settings file lives in the model;
// monostate for the pair whose value is not kept.
using SettingsValueRef = std::variant<std::monostate, int16_t*, int32_t*, QString*>;

// How a text value is read back: the whole line, or a comma-ended field.
enum class TextRead { Line, Field };

struct SettingsPair {
    const char* key;
    SettingsValueRef (*value)(SettingsModel&);
    TextRead textRead = TextRead::Line;
};

inline constexpr int kSettingsPairCount = 63;

// The pairs in file order; the reader takes values by position, so the order is
// the file format.
const std::array<SettingsPair, kSettingsPairCount>& settingsPairs();
