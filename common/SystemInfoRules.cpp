#include "SystemInfoRules.h"

#include "TextLimit.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with)
{
    if (what.empty()) return text;
    std::size_t at = 0;
    while ((at = text.find(what, at)) != std::string::npos) {
        text.replace(at, what.size(), with);
        at += with.size();
    }
    return text;
}

enum class Match { Contains, Equals };

struct DirectXRow {
    Match match;
    const char* version;
    const char* release;
};

// Tried in order: the "contains" rows for the 4.08 family come after its
// exact sub-releases.
constexpr std::array<DirectXRow, 11> kDirectXTable{{
    {Match::Contains, "4.05", "5.0"},
    {Match::Contains, "4.06", "6.0"},
    {Match::Contains, "4.07", "7.0"},
    {Match::Equals, "4.08.01.0810", "8.1"},
    {Match::Equals, "4.08.01.0881", "8.1"},
    {Match::Equals, "4.08.01.0901", "8.1a"},
    {Match::Equals, "4.08.02.0134", "8.2"},
    {Match::Contains, "4.08", "8.0"},
    {Match::Equals, "4.09.00.0900", "9.0"},
    {Match::Equals, "4.09.00.0901", "9.0a"},
    {Match::Equals, "4.09.00.0902", "9.0b"},
}};

}  // namespace

std::string CleanBoardModel(std::string_view raw)
{
    std::string model(raw);
    if (std::size_t paren = model.find('('); paren != std::string::npos) model.resize(paren);
    if (model.find("//") != std::string::npos) model = ReplaceAll(model, "/", "_");
    while (!model.empty() && IsSpaceOrTab(model.back())) model.pop_back();
    std::size_t start = 0;
    while (start < model.size() && IsSpaceOrTab(model[start])) ++start;
    return model.substr(start);
}

std::string ExtractVgaId(std::string_view id)
{
    const long rev = id.find("&REV") == std::string_view::npos ? -1 : static_cast<long>(id.find("&REV"));
    const long subsys = id.find("SUBSYS") == std::string_view::npos ? -1 : static_cast<long>(id.find("SUBSYS"));
    const long start = subsys < 0 ? 0 : subsys;
    // The length counts from the found position even when none was found,
    // so an identifier with "&REV" but no "SUBSYS" keeps one character more
    // than the text before "&REV"; the answer stays what callers have seen.
    const long length = rev - subsys;
    if (length <= 0 || static_cast<std::size_t>(start) >= id.size()) return {};
    return std::string(id.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

std::string ServicePackAnswer(std::string_view csdVersion)
{
    if (csdVersion.empty()) return {};
    return "SP" + TrimBlanks(ReplaceAll(std::string(csdVersion), "Service Pack", ""));
}

bool Win2000DateNeedsCentury(std::string_view sp)
{
    return sp.empty() || sp == "SP1" || sp == "SP2";
}

std::string BiosDateFromWmi(std::string_view dateTime, bool addCentury)
{
    if (dateTime.size() < 8) return {};
    std::string year(dateTime.substr(0, 4));
    const std::string month(dateTime.substr(4, 2));
    const std::string day(dateTime.substr(6, 2));
    if (addCentury) year = std::to_string(std::atoi(year.c_str()) + 100);
    return month + "/" + day + "/" + year;
}

std::string DirectXRelease(std::string_view version)
{
    for (const DirectXRow& row : kDirectXTable) {
        bool hit = row.match == Match::Contains ? version.find(row.version) != std::string_view::npos
                                                : version == row.version;
        if (hit) return row.release;
    }
    return std::string(version);
}
