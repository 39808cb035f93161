// The About dialog: the host's version, which port backend drives the chip
// (a user must see whether the fans are real), and the plug-in libraries
// with their versions.
#pragma once

#include <string>
#include <vector>

class IRegistryHives;

struct AboutEntry {
    std::string fileName;
    std::string versionText;
    // What the loaded plug-in says of itself ("ABOUT" in its document), "".
    std::string state = {};
};

class IAboutView {
public:
    virtual ~IAboutView() = default;
    virtual void SetVersionLine(const std::string& text) = 0;
    virtual void SetBackendLine(const std::string& text) = 0;
    virtual void AddColumn(const std::string& header) = 0;
    virtual void AddRow(const std::string& plugin, const std::string& version) = 0;
    // The third cell of the row just added, when the list has a "State" column.
    virtual void SetRowState(const std::string& /*state*/) {}
};

class CAboutDlg {
public:
    static constexpr const char* kVersionLine = "EXE Version 3.1.0.1";

    explicit CAboutDlg(std::vector<AboutEntry> entries, IRegistryHives* hives = nullptr);
    bool OnInitDialog(IAboutView& view);

    // The entry for a library path: the part after the last separator and its version.
    static AboutEntry EntryFor(const std::string& libraryPath);
    std::string BackendLine() const;

private:
    std::vector<AboutEntry> entries_;
    IRegistryHives* hives_;
};
