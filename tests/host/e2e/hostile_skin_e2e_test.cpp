// A hostile skin in the real Velmar under Xvfb: its script tries to read
// /etc/passwd, files beside the program folder (by absolute path, with "..",
// relative to the page, through a symbolic link in the skin folder) with
// XHR, fetch, frames, IMG, SCRIPT and style sheets, and to reach a listener
// of this test on 127.0.0.1 with every kind of request the web offers. Every
// attempt must come back refused and nothing may reach the listener, while
// the skin's own files and the program folder's still load. The script's
// findings are read through the test dump (the page's testState()).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A TCP and a UDP socket on one port of 127.0.0.1 that record whatever
// arrives: any request the page gets out would land here.
class Listener {
public:
    Listener() {
        tcp_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(tcp_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(tcp_, 16) != 0 ||
            getsockname(tcp_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        udp_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (bind(udp_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return;
        thread_ = std::thread([this] { Run(); });
    }
    ~Listener() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        close(tcp_);
        if (udp_ >= 0) close(udp_);
    }
    int Port() const { return port_; }
    bool Ready() const { return thread_.joinable(); }
    std::vector<std::string> Arrived() {
        std::lock_guard guard(mutex_);
        return arrived_;
    }

private:
    void Run() {
        while (!stop_) {
            pollfd fds[2] = {{tcp_, POLLIN, 0}, {udp_, POLLIN, 0}};
            if (poll(fds, 2, 100) <= 0) continue;
            char buffer[200];
            if (fds[0].revents & POLLIN) {
                const int connection = accept4(tcp_, nullptr, nullptr, SOCK_CLOEXEC);
                if (connection < 0) continue;
                pollfd wait{connection, POLLIN, 0};
                const ssize_t n = poll(&wait, 1, 1000) > 0 ? recv(connection, buffer, sizeof buffer, 0) : 0;
                Record("tcp: " + std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0));
                const char answer[] = "HTTP/1.0 200 OK\r\nAccess-Control-Allow-Origin: *\r\n\r\nLEAKED";
                send(connection, answer, sizeof answer - 1, MSG_NOSIGNAL);
                close(connection);
            }
            if (fds[1].revents & POLLIN) {
                const ssize_t n = recv(udp_, buffer, sizeof buffer, 0);
                Record("udp: " + std::to_string(n) + " bytes");
            }
        }
    }
    void Record(std::string what) {
        std::lock_guard guard(mutex_);
        arrived_.push_back(std::move(what));
    }

    int tcp_ = -1;
    int udp_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> arrived_;
};

void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The skin's script. Each attempt notes "blocked" or what it got; "done:N"
// follows once every attempt has answered.
std::string HostileScript(const std::string& profile, const std::string& app, int port) {
    const std::string http = "http://127.0.0.1:" + std::to_string(port);
    std::ostringstream js;
    js << "var PROFILE = '" << profile << "', APP = '" << app << "', HTTP = '" << http << "';\n"
       << R"JS(
var findings = {}, pending = 0, started = false;
function note(name, value) { findings[name] = value; }
function begin() { pending++; }
function end() { pending--; }
function tryXhr(name, url) {
  begin();
  try {
    var x = new XMLHttpRequest();
    x.open("GET", url);
    x.onload = function () { note(name, x.responseText ? "read:" + x.responseText.substring(0, 30) : "blocked"); end(); };
    x.onerror = function () { note(name, "blocked"); end(); };
    x.send();
  } catch (e) { note(name, "blocked"); end(); }
}
function tryFetch(name, url) {
  begin();
  fetch(url).then(function (r) { return r.text(); })
    .then(function (t) { note(name, "read:" + t.substring(0, 30)); end(); },
          function () { note(name, "blocked"); end(); });
}
function tryImage(name, url) {
  begin();
  var i = new Image();
  i.onload = function () { note(name, "read:" + i.naturalWidth + "x" + i.naturalHeight); end(); };
  i.onerror = function () { note(name, "blocked"); end(); };
  i.src = url;
}
function tryScript(name, url, variable) {
  begin();
  var s = document.createElement("script");
  s.onload = function () { note(name, typeof window[variable] === "undefined" ? "blocked" : "read:" + window[variable]); end(); };
  s.onerror = function () { note(name, "blocked"); end(); };
  s.src = url;
  document.head.appendChild(s);
}
function tryStyle(name, url) {
  begin();
  var l = document.createElement("link");
  l.rel = "stylesheet";
  var probe = document.createElement("div");
  probe.id = "probe-" + name;
  document.body.appendChild(probe);
  var check = function () { note(name, probe.offsetWidth === 123 ? "read:styled" : "blocked"); end(); };
  l.onload = check;
  l.onerror = check;
  l.href = url;
  document.head.appendChild(l);
}
function tryFrame(name, url) {
  begin();
  var f = document.createElement("iframe");
  var answered = false;
  f.onload = function () {
    if (answered) return;
    answered = true;
    var text = "";
    try { text = f.contentDocument && f.contentDocument.body ? f.contentDocument.body.innerText : ""; } catch (e) {}
    note(name, text && text.indexOf("SECRET") >= 0 || text.indexOf("root:") >= 0 || text.indexOf("LEAKED") >= 0
                 ? "read:" + text.substring(0, 30) : "blocked");
    end();
  };
  f.src = url;
  document.body.appendChild(f);
}
function trySocket(name, url) {
  begin();
  try {
    var w = new WebSocket(url);
    w.onopen = function () { note(name, "read:open"); end(); };
    w.onerror = function () { note(name, "blocked"); end(); };
  } catch (e) { note(name, "blocked"); end(); }
}
function tryWorker(name, url) {
  begin();
  try {
    var code = "fetch('" + url + "').then(function(r){return r.text();}).then(function(t){postMessage('read:'+t.substring(0,30));}," +
               "function(){postMessage('blocked');});";
    var w = new Worker(URL.createObjectURL(new Blob([code], {type: "text/javascript"})));
    w.onmessage = function (m) { note(name, m.data); end(); };
    w.onerror = function () { note(name, "blocked"); end(); };
  } catch (e) { note(name, "blocked"); end(); }
}
// Requests that give no answer to wait for; only the listener can tell.
function fireAndForget() {
  try { navigator.sendBeacon(HTTP + "/beacon", "x"); } catch (e) {}
  var d = document.createElement("div");
  d.style.backgroundImage = "url(" + HTTP + "/background.png)";
  d.style.width = "4px"; d.style.height = "4px";
  document.body.appendChild(d);
  var p = document.createElement("link");
  p.rel = "prefetch"; p.href = HTTP + "/prefetch";
  document.head.appendChild(p);
  try {
    var rtc = new RTCPeerConnection({iceServers: [{urls: "stun:127.0.0.1:" + HTTP.split(":")[2]}]});
    rtc.createDataChannel("x");
    rtc.createOffer().then(function (o) { return rtc.setLocalDescription(o); }).catch(function () {});
  } catch (e) {}
  try { window.open(HTTP + "/window"); } catch (e) {}
}
function OnInitial() {
  if (started) return;
  started = true;
  // What the page must still be able to load.
  tryXhr("skin-file", APP + "/Skin/allowed.txt");
  tryXhr("program-file", APP + "/allowed.txt");
  // /etc/passwd and files beside the program folder.
  tryXhr("xhr-passwd", "file:///etc/passwd");
  tryFetch("fetch-passwd", "file:///etc/passwd");
  tryFrame("frame-passwd", "file:///etc/passwd");
  tryXhr("xhr-beside", PROFILE + "/secret.txt");
  tryXhr("xhr-dotdot", APP + "/Skin/../../secret.txt");
  tryXhr("xhr-relative", "../secret.txt");
  tryXhr("xhr-encoded", APP + "/Skin/%2e%2e/%2e%2e/secret.txt");
  tryXhr("xhr-link", APP + "/Skin/link.txt");
  tryFetch("fetch-link", APP + "/Skin/link.txt");
  tryFrame("frame-beside", PROFILE + "/secret.txt");
  tryImage("img-beside", PROFILE + "/secret.bmp");
  tryImage("img-link", APP + "/Skin/link.bmp");
  tryScript("script-beside", PROFILE + "/secret.js", "leakedSecret");
  tryStyle("style-beside", PROFILE + "/secret.css");
  tryWorker("worker-passwd", "file:///etc/passwd");
  // The network.
  tryXhr("http-xhr", HTTP + "/xhr");
  tryFetch("http-fetch", HTTP + "/fetch");
  tryImage("http-img", HTTP + "/img.png");
  tryScript("http-script", HTTP + "/script.js", "leakedHttp");
  tryFrame("http-frame", HTTP + "/frame");
  trySocket("ws", HTTP.replace("http:", "ws:") + "/ws");
  tryWorker("worker-http", HTTP + "/worker");
  fireAndForget();
  // The IMG elements composed from the definition: one beside the program
  // folder by "..", one of the skin's own.
  tryImage("definition-img", document.getElementById("outside").src);
  tryImage("own-img", document.getElementById("own").src);
}
// The host calls OnInitial at start; the script also starts by itself in
// case it loads after that call.
setTimeout(OnInitial, 0);
function testState() {
  var out = [];
  for (var k in findings) out.push(k + "=" + findings[k]);
  if (started && pending === 0) out.push("done:" + Object.keys(findings).length);
  return out.join(";");
}
)JS";
    return js.str();
}

// "a=b;c=d" from the page into a map.
std::map<std::string, std::string> Findings(const std::string& state) {
    std::map<std::string, std::string> findings;
    std::istringstream in(state);
    for (std::string item; std::getline(in, item, ';');) {
        const auto eq = item.find('=');
        if (eq != std::string::npos) findings[item.substr(0, eq)] = item.substr(eq + 1);
        else findings[item] = "";
    }
    return findings;
}

TEST(HostileSkinE2E, ReachesNothingOutsideTheProgramAndSkinFolders) {
    Listener listener;
    ASSERT_TRUE(listener.Ready());
    const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-hostile-e2e", VELMAR_APP_DIR);
    ASSERT_FALSE(profile.folder.empty());
    const fs::path skin = fs::path(profile.app) / "Skin";
    fs::create_directories(skin);
    ASSERT_EQ(std::system((std::string(VELMAR_SKIN_BITMAPS_TOOL) + " " + skin.string()).c_str()), 0);

    // What lies beside the program folder, and the ways into it from the skin.
    Write(fs::path(profile.folder) / "secret.txt", "SECRET-BESIDE-THE-PROGRAM");
    Write(fs::path(profile.folder) / "secret.js", "var leakedSecret = 'SECRET-SCRIPT';");
    Write(fs::path(profile.folder) / "secret.css", "div { width: 123px; }");
    fs::copy_file(skin / "icon.bmp", fs::path(profile.folder) / "secret.bmp");
    fs::create_symlink("../../secret.txt", skin / "link.txt");
    fs::create_symlink("../../secret.bmp", skin / "link.bmp");
    Write(skin / "allowed.txt", "ALLOWED-SKIN");
    Write(fs::path(profile.app) / "allowed.txt", "ALLOWED-PROGRAM");
    Write(skin / "hostile.js", HostileScript(profile.folder, "file://" + profile.app, listener.Port()));
    Write(skin / "Hostile.xml",
          "<VARNSKINDEFINE><SKIN NAME=\"Hostile\" BACKGROUND=\"back.bmp\" RGN=\"rgn.bmp\">"
          "<APPLICATION NAME=\"Velmar\" ICON=\"icon.bmp\" TIMER=\"TRUE\"/>"
          "<XSL SRC=\"main.xsl\"/><JAVASCRIPT SRC=\"hostile.js\"/>"
          "<IMAGE ID=\"outside\" SRC=\"..\\..\\secret.bmp\" X=\"0\" Y=\"0\"/>"
          "<IMAGE ID=\"own\" SRC=\"icon.bmp\" X=\"40\" Y=\"0\"/>"
          "</SKIN></VARNSKINDEFINE>");
    fs::copy_file(std::string(VELMAR_TEST_DATA_DIR) + "/hostskin/main.xsl", skin / "main.xsl");
    velmar_e2e::Varnreg(VELMAR_APP_DIR, "set 'HKCU\\SOFTWARE\\VARN\\TamloIII' InitialSkin --string Hostile.xml");

    pid_t pid = velmar_e2e::LaunchVelmar(profile.app, profile.folder);
    // Dump requests are answered once the program is up: its instance block
    // appears at the page's first completion.
    for (int i = 0; i < 400 && fs::is_empty(profile.folder + "/run"); ++i) std::this_thread::sleep_for(50ms);
    const auto state = velmar_e2e::DumpWhen(
        pid, profile.folder, [](auto& v) { return v["main.state"].find("done:") != std::string::npos; }, 60);
    const std::map<std::string, std::string> findings = Findings(state.count("main.state") ? state.at("main.state") : "");
    ASSERT_EQ(findings.count("done:26"), 1u)
        << "the skin's script did not finish: " << (state.count("main.state") ? state.at("main.state") : "")
        << "\n" << velmar_e2e::LogTail(profile.folder);

    EXPECT_EQ(findings.at("skin-file"), "read:ALLOWED-SKIN") << "the skin's own files load";
    EXPECT_EQ(findings.at("program-file"), "read:ALLOWED-PROGRAM") << "the program folder's files load";
    EXPECT_EQ(findings.at("own-img"), "read:32x32") << "the skin's own images load";
    for (const auto& [attempt, outcome] : findings) {
        if (attempt == "skin-file" || attempt == "program-file" || attempt == "own-img" || attempt.starts_with("done:"))
            continue;
        EXPECT_EQ(outcome, "blocked") << attempt;
    }

    kill(pid, SIGTERM);
    EXPECT_EQ(velmar_e2e::WaitExitOrKill(pid, 30s), 0) << velmar_e2e::LogTail(profile.folder);
    // Fire-and-forget requests had the program's whole life to arrive.
    const std::vector<std::string> arrived = listener.Arrived();
    EXPECT_TRUE(arrived.empty()) << arrived.size() << " requests reached the listener, the first: " << arrived.front();
    std::error_code ignored;
    fs::remove_all(profile.folder, ignored);
}

}  // namespace
