// How the system-information keys turn raw firmware and system texts into
// their answers. Pure functions, so every rule is checked on its own.
#pragma once

#include <string>
#include <string_view>

// Board model: the text before the first "(", every "/" made "_" when the
// text holds "//", blanks trimmed (end first, then start).
std::string CleanBoardModel(std::string_view raw);

// From a PNP device identifier, the part from "SUBSYS" to just before
// "&REV": PCI\VEN_10DE&DEV_0221&SUBSYS_00000000&REV_A1\4&1 gives
// SUBSYS_00000000. Without "SUBSYS" the part starts at the beginning, and it
// is "" when "&REV" does not follow.
std::string ExtractVgaId(std::string_view pnpDeviceId);

// A service-pack text as "SP" and its number: "Service Pack 2" gives "SP2";
// "" for "".
std::string ServicePackAnswer(std::string_view csdVersion);

// A WMI date-time (YYYYMMDDhhmmss.ffffff+zzz) as MM/DD/YYYY. With
// addCentury (the Windows 2000 firmware quirk) the year gets 100 added.
// "" when the text is shorter than a date.
std::string BiosDateFromWmi(std::string_view dateTime, bool addCentury);

// Whether the Windows 2000 quirk applies for a given "WinSPVer" answer: no
// service pack, SP1 or SP2.
bool Win2000DateNeedsCentury(std::string_view servicePackAnswer);

// The DirectX version text as its release name ("4.09.00.0900" gives "9.0");
// a text no row names comes back unchanged.
std::string DirectXRelease(std::string_view version);
