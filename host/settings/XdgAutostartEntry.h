// The desktop session's autostart entry ($XDG_CONFIG_HOME/autostart, or
// ~/.config/autostart), kept in step with the Run value: a session starts
// programs from this folder, not from the registry store.
#pragma once

#include <string>

class CXdgAutostartEntry {
public:
    // The file name inside the autostart folder.
    explicit CXdgAutostartEntry(std::string fileName = "Velmar.desktop");

    // The folder as the environment names it now; "" when neither
    // XDG_CONFIG_HOME nor HOME is set.
    static std::string AutostartFolder();
    std::string EntryPath() const;

    // Writes the entry (creating the folder) atomically; false on failure.
    bool Create(const std::string& executablePath, const std::string& name) const;
    // True when the entry is gone afterwards (also when it never existed).
    bool Remove() const;
    bool Exists() const;

    // The Exec value for a path: quoted with the desktop-entry escapes so
    // spaces, quotes and '%' in the path survive.
    static std::string ExecValue(const std::string& executablePath);

private:
    std::string fileName_;
};
