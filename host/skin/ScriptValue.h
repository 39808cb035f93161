// A value coming back from a page script: the five kinds the host reads.
// Everything else a script may hold (objects, booleans, functions) arrives
// as Other and reads as 0 / "".
#pragma once

#include <cstdint>
#include <string>
#include <variant>

struct ScriptNull {
    friend bool operator==(ScriptNull, ScriptNull) = default;
};
struct ScriptOther {
    friend bool operator==(ScriptOther, ScriptOther) = default;
};

using ScriptValue = std::variant<ScriptNull, std::int16_t, std::int32_t, double, std::string, ScriptOther>;

// Script numbers are doubles; whole numbers that fit 32 bits are handed on
// as integers, the way the page's script host reports them.
ScriptValue ScriptNumber(double value);
// "" for anything that is not text.
std::string ScriptValueText(const ScriptValue& value);
// Integers as they are, doubles truncated toward zero (clamped to the int
// range; NaN reads 0), everything else 0. Text is not parsed: "7" reads 0.
int ScriptValueInt(const ScriptValue& value);
