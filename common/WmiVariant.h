// The value of one WMI property: the few kinds the system-information keys
// meet, and "other" for everything the text conversion shows as NULL
// (arrays, dates, objects).
#pragma once

#include <cstdint>
#include <string>

struct WmiVariant {
    enum class Type : std::uint8_t { Empty, Null, Int16, Int32, UInt8, Float, Double, String, Bool, Other };

    Type type = Type::Empty;
    std::int32_t integer = 0;  // Int16, Int32, UInt8
    double real = 0.0;         // Float (held widened), Double
    bool boolean = false;
    std::string text;          // String, UTF-8

    static WmiVariant Null() { return WithType(Type::Null); }
    static WmiVariant Int16(std::int16_t v) { auto r = WithType(Type::Int16); r.integer = v; return r; }
    static WmiVariant Int32(std::int32_t v) { auto r = WithType(Type::Int32); r.integer = v; return r; }
    static WmiVariant UInt8(std::uint8_t v) { auto r = WithType(Type::UInt8); r.integer = v; return r; }
    static WmiVariant Float(float v) { auto r = WithType(Type::Float); r.real = v; return r; }
    static WmiVariant Double(double v) { auto r = WithType(Type::Double); r.real = v; return r; }
    static WmiVariant Bool(bool v) { auto r = WithType(Type::Bool); r.boolean = v; return r; }
    static WmiVariant String(std::string v) { auto r = WithType(Type::String); r.text = std::move(v); return r; }
    static WmiVariant Other() { return WithType(Type::Other); }

    // Empty, null or other: no value a key could use.
    bool HasValue() const { return type != Type::Empty && type != Type::Null && type != Type::Other; }

private:
    static WmiVariant WithType(Type t) { WmiVariant v; v.type = t; return v; }
};
