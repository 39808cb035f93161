// Reading one sysfs attribute file: its text without the line end the
// kernel appends. Attributes are small; a read never takes more than a page.
#pragma once

#include <cstdint>
#include <string>

// False when the file is missing, unreadable or not a regular file.
bool ReadSysfsAttribute(const std::string& path, std::string& text);
// An attribute holding one hexadecimal number ("0x030000"); false when it
// does not read or does not parse.
bool ReadSysfsHex(const std::string& path, std::uint32_t& value);
