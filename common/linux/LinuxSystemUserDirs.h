// The user's folders as the XDG user-dirs file names them
// ($XDG_CONFIG_HOME/user-dirs.dirs, lines like XDG_MUSIC_DIR="$HOME/Music").
#pragma once

#include <map>
#include <string>
#include <string_view>

// Variable name -> folder, with "$HOME" expanded. Only "$HOME/..." and
// absolute values are taken, as the file's own rules allow; a folder equal
// to home means the entry is switched off and is left out.
std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home);

// The file's location: $XDG_CONFIG_HOME (when absolute) or home/.config.
std::string UserDirsFile(const char* xdgConfigHome, const std::string& home);
