// Shared by the host framework tests: the recording plug-ins' journal in a
// private temporary folder, their settings in the environment (undone after
// each test), and a plug-in list in memory registry hives.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "RegistryHives.h"

inline std::string RecordingPluginPath(const std::string& identifier) {
    return std::string(VELMAR_TEST_BIN_DIR) + "/plugins/lib" + identifier + ".so";
}

class HostFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmar-hostfw-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        journal_ = folder_ + "/journal";
        Setenv("VELMAR_RECORDING_LOG", journal_);
    }
    void TearDown() override {
        for (const std::string& name : setNames_) unsetenv(name.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Setenv(const std::string& name, const std::string& value) {
        setenv(name.c_str(), value.c_str(), 1);
        setNames_.push_back(name);
    }
    // VELMAR_REC_<identifier>_<key>.
    void Configure(const std::string& identifier, const std::string& key, const std::string& value) {
        Setenv("VELMAR_REC_" + identifier + "_" + key, value);
    }

    // Appends one value per path under the machine-wide plug-in key, in order.
    void ListPlugins(const std::vector<std::string>& paths) {
        CRegistryAccess machine(hives_);
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        for (const std::string& path : paths)
            machine.SetString("SOFTWARE\\VARN\\APM", "plugin" + std::to_string(listed_++), path);
    }
    void SetUserValue(const std::string& name, const std::string& text) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        user.SetString("SOFTWARE\\VARN\\TamloIII", name, text);
    }

    std::vector<std::string> Journal() const {
        std::vector<std::string> lines;
        std::ifstream in(journal_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // The journal lines of one plug-in, without its identifier.
    std::vector<std::string> JournalOf(const std::string& identifier) const {
        std::vector<std::string> lines;
        for (const std::string& line : Journal())
            if (line.starts_with(identifier + " ")) lines.push_back(line.substr(identifier.size() + 1));
        return lines;
    }
    void ClearJournal() { std::ofstream(journal_, std::ios::trunc); }
    void Note(const std::string& line) { std::ofstream(journal_, std::ios::app) << "HOST " << line << "\n"; }

    std::string folder_;
    std::string journal_;
    CMemoryRegistryHives hives_;

private:
    std::vector<std::string> setNames_;
    int listed_ = 0;
};
