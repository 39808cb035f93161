// The About dialog: the host's version, which port backend drives the chip
// (a user must see whether the fans are real), and the plug-in libraries
// with their versions.
#pragma once

#include <functional>
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
    // What the desktop session cannot give the window; only called when
    // something is missing.
    virtual void SetSessionLine(const std::string& text) = 0;
    virtual void AddColumn(const std::string& header) = 0;
    virtual void AddRow(const std::string& plugin, const std::string& version) = 0;
    // The third cell of the row just added, when the list has a "State" column.
    virtual void SetRowState(const std::string& /*state*/) {}
};

class CAboutDlg {
public:
    static constexpr const char* kVersionLine = "EXE Version 3.1.0.1";

    // The backend line as the port library says it for this process now;
    // without one, the line says only which backend the store names.
    using BackendLineSource = std::function<std::string()>;

    explicit CAboutDlg(std::vector<AboutEntry> entries, IRegistryHives* hives = nullptr,
                       BackendLineSource backendLine = {});
    bool OnInitDialog(IAboutView& view);
    void SetSessionLine(std::string text) { sessionLine_ = std::move(text); }

    // The entry for a library path: the part after the last separator and its version.
    static AboutEntry EntryFor(const std::string& libraryPath);
    std::string BackendLine() const;

private:
    std::vector<AboutEntry> entries_;
    IRegistryHives* hives_;
    std::string sessionLine_;
    BackendLineSource backendLine_;
};
