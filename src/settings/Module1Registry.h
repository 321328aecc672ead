#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

class Registry;

// The root keys callers name, by their fixed handle values.
inline constexpr int32_t kHkeyClassesRoot = static_cast<int32_t>(0x80000000);
inline constexpr int32_t kHkeyCurrentUser = static_cast<int32_t>(0x80000001);
inline constexpr int32_t kHkeyLocalMachine = static_cast<int32_t>(0x80000002);
inline constexpr int32_t kHkeyUsers = static_cast<int32_t>(0x80000003);
inline constexpr int32_t kHkeyCurrentConfig = static_cast<int32_t>(0x80000005);

// Where a key value lives in the per-user store: the section is the root key's
// name and the key path with "/" between the parts, the key is the value name or
// "(Default)" for the key's unnamed value. Nothing for an unknown root key.
std::optional<std::pair<QString, QString>> registryValueLocation(int32_t rootKey, const QString& keyPath,
                                                                 const QString& valueName);

// The text of a key value, empty when it is missing or not text. This platform
// has no machine-wide keys; the values come from the per-user store, where the
// program or the user put them (see registryValueLocation).
QString RegQueryString(const Registry& store, int32_t rootKey, const QString& keyPath,
                       const QString& valueName);
