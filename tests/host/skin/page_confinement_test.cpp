// What a skin's page may load: only files of the program folder and of the
// skin's folder, however the address is spelt, and nothing on the network.
#include <gtest/gtest.h>

#include <fstream>

#include "PageConfinement.h"
#include "skin_test_bitmaps.h"

namespace fs = std::filesystem;

namespace {

// Resolves nothing: only the scheme and host decide.
std::optional<std::string> AnyPath(const std::string& path) { return path; }

TEST(PageConfinement, NothingOnTheNetworkOrOfAnotherHostIsAllowed) {
    const std::vector<std::string> roots{"/opt/velmar"};
    for (const char* url :
         {"http://127.0.0.1:8080/x", "https://example.com/", "ws://127.0.0.1/ws", "wss://example.com/",
          "ftp://example.com/f", "HTTP://example.com/", "gopher://x/", "chrome://gpu", "qrc:/velmar/104.html",
          "filesystem:file:///opt/velmar/x", "javascript:alert(1)", "about:config", "view-source:file:///opt/velmar/a",
          "file://example.com/opt/velmar/a.png", "file://127.0.0.1/opt/velmar/a.png", "file:opt/velmar/a.png",
          "file://", "/opt/velmar/a.png", ":/opt/velmar/a.png", "ht tp://x/", ""}) {
        EXPECT_FALSE(IsPageRequestAllowed(url, roots, AnyPath)) << url;
    }
    for (const char* url : {"data:text/html,<p>hi</p>", "blob:file:///1234-5678", "about:blank", "ABOUT:srcdoc",
                            "file:///opt/velmar/a.png", "file://localhost/opt/velmar/a.png", "file:/opt/velmar/a.png"})
        EXPECT_TRUE(IsPageRequestAllowed(url, roots, AnyPath)) << url;
    EXPECT_FALSE(IsPageRequestAllowed("file:///etc/passwd", {"/"}, AnyPath)) << "the root folder allows nothing";
}

class PageConfinementFiles : public ::testing::Test {
protected:
    void SetUp() override {
        base = skintest::FreshFolder("velmar-confinement");
        fs::create_directories(base / "app");
        fs::create_directories(base / "skins" / "My Skin" / "sub");
        fs::create_directories(base / "app-evil");
        for (const fs::path& file : {base / "app" / "app.js", base / "skins" / "My Skin" / "a.png",
                                     base / "skins" / "My Skin" / "sub" / "b 100%.png", base / "secret.txt",
                                     base / "app-evil" / "x.js"})
            std::ofstream(file) << "x";
        fs::create_symlink(base / "secret.txt", base / "skins" / "My Skin" / "out.txt");
        fs::create_symlink(base, base / "skins" / "My Skin" / "up");
        fs::create_symlink(base / "app" / "app.js", base / "skins" / "My Skin" / "to-app.js");
        confinement.SetProgramFolder((base / "app").string() + "/");
        confinement.SetSkinFolder(this, (base / "skins" / "My Skin").string());
    }
    void TearDown() override { fs::remove_all(base); }

    std::string Url(const std::string& tail) const { return "file://" + base.string() + "/" + tail; }

    fs::path base;
    CPageConfinement confinement;
};

TEST_F(PageConfinementFiles, OnlyFilesOfTheProgramAndSkinFoldersHoweverSpelt) {
    for (const std::string& allowed :
         {Url("app/app.js"), Url("skins/My%20Skin/a.png"), Url("skins/My Skin/a.png?v=2#top"),
          Url("skins/My%20Skin/sub/b%20100%25.png"), Url("skins/My%20Skin/to-app.js"),
          Url("skins/My%20Skin/sub/../a.png"), "file://localhost" + base.string() + "/app/app.js"})
        EXPECT_TRUE(confinement.Allows(allowed)) << allowed;
    for (const std::string& refused :
         {std::string("file:///etc/passwd"), Url("secret.txt"), Url("app/../secret.txt"),
          Url("app/%2e%2e/secret.txt"), Url("app%2f..%2fsecret.txt"), Url("skins/My%20Skin/out.txt"),
          Url("skins/My%20Skin/up/secret.txt"), Url("app-evil/x.js"), Url("app"), Url("app/"),
          Url("skins/My%20Skin/missing.png"), Url("app/app.js%00.png"), Url("app/app.js%"),
          Url("app/app.js%zz"), "file://" + base.string() + "//secret.txt"})
        EXPECT_FALSE(confinement.Allows(refused)) << refused;
}

TEST_F(PageConfinementFiles, ASkinFolderCountsWhileItsPageShowsIt) {
    const std::string skinFile = Url("skins/My%20Skin/a.png");
    const int other = 0;
    confinement.SetSkinFolder(&other, (base / "app-evil").string());
    EXPECT_TRUE(confinement.Allows(Url("app-evil/x.js")));
    confinement.SetSkinFolder(&other, "");
    EXPECT_FALSE(confinement.Allows(Url("app-evil/x.js")));
    EXPECT_TRUE(confinement.Allows(skinFile));
    confinement.SetSkinFolder(this, (base / "skins" / "missing").string());
    EXPECT_FALSE(confinement.Allows(skinFile)) << "a folder that does not exist allows nothing";
    EXPECT_TRUE(confinement.Allows(Url("app/app.js")));
}

}  // namespace
