// The 32-bit identifiers of windows, units and menu items.
#pragma once

#include <cstdint>

#include "runtime/core/notify_codes.h"

namespace tessaly::ui {

// Bits 0-23 serial, 24-27 kind, 28-31 class.
constexpr uint32_t identifierSerial(uint32_t id) { return id & 0x00FFFFFF; }
constexpr uint32_t identifierKind(uint32_t id) { return (id >> 24) & 0xF; }
constexpr uint32_t identifierClass(uint32_t id) { return id >> 28; }
constexpr bool isValidIdentifier(uint32_t id) { return identifierSerial(id) != 0 && identifierKind(id) != 0; }

inline constexpr uint32_t UnitClassOwnRecord = 0;
inline constexpr uint32_t UnitClassUnit = 1;
inline constexpr uint32_t UnitClassMenuItem = 2;

constexpr bool isMenuItemIdentifier(uint32_t id) { return identifierClass(id) == UnitClassMenuItem; }

namespace TypeId = ::tessaly::TypeId;

// A routine word that binds nothing; every other value is an offset from the code base.
inline constexpr uint32_t NoRoutineWord = 0xFFFFFFFF;

}  // namespace tessaly::ui
