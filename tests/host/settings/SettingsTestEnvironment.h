// A temporary folder for INI and autostart files, the registry in memory,
// and XDG_CONFIG_HOME pointed into the folder so no test touches the user's files.
#pragma once

#include "RegistryAccess.h"
#include "RegistryHives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmar-settings-XXXXXX";
        folder = mkdtemp(pattern);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadXdg_ = old != nullptr;
        if (old) oldXdg_ = old;
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        OverrideProcessRegistryHives(&hives);
    }
    void TearDown() override {
        OverrideProcessRegistryHives(nullptr);
        if (hadXdg_) setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(folder);
    }

    std::string WriteFile(const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
        return path;
    }

    // A user value as stored, or "<absent>".
    std::string UserValue(const std::string& key, const std::string& name) {
        CRegistryAccess registry(hives);
        registry.SetRootKey(HKEY_CURRENT_USER);
        std::string text;
        return registry.QueryString(key, name, text) ? text : "<absent>";
    }
    std::string Setting(const std::string& name) { return UserValue("SOFTWARE\\VARN\\TamloIII", name); }
    void StoreSetting(const std::string& name, const std::string& text) {
        CRegistryAccess registry(hives);
        registry.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(registry.SetString("SOFTWARE\\VARN\\TamloIII", name, text));
    }

    CMemoryRegistryHives hives;
    std::string folder;

private:
    bool hadXdg_ = false;
    std::string oldXdg_;
};
