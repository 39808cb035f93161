#include "EngineFlags.h"

#include <sstream>
#include <vector>

namespace {

struct EngineFlag {
    const char* flag;      // added as it stands
    const char* stem;      // a flag of the user's that starts with this replaces it
    bool rootOnly;         // only where the sandbox is off
};

// Both pages are the program's own and come from one folder: one renderer
// process serves them (a second one was 70 MB for a page of a few elements).
// Without a sandbox the zygote forks nothing a plain start could not, and
// keeps two more processes (100 MB) alive all day.
constexpr EngineFlag kFlags[] = {
    {"--no-sandbox", "--no-sandbox", true},
    {"--renderer-process-limit=1", "--renderer-process-limit", false},
    {"--no-zygote", "--no-zygote", true},
};

bool HasFlag(const std::vector<std::string>& words, const std::string& stem) {
    for (const std::string& word : words)
        if (word.compare(0, stem.size(), stem) == 0) return true;
    return false;
}

}  // namespace

std::string EngineFlags(const std::string& existing, bool runsAsRoot) {
    std::vector<std::string> words;
    std::istringstream in(existing);
    for (std::string word; in >> word;) words.push_back(word);
    std::string flags = existing;
    for (const EngineFlag& entry : kFlags) {
        if ((entry.rootOnly && !runsAsRoot) || HasFlag(words, entry.stem)) continue;
        if (!flags.empty()) flags += ' ';
        flags += entry.flag;
    }
    return flags;
}
