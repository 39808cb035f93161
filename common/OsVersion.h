// Which operating system the program runs on, as a set of flags, plus the
// user's language code. Callers branch on the flags (system facts, registry
// views); on Linux the detector reports a later member of the NT family, so
// every old-system branch stays off.
#pragma once

#include <cstdint>
#include <string>

// What the platform reports about its version.
struct OsVersionRecord {
    std::uint32_t platformId = 0;  // 1: 9x family, 2: NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint8_t productType = 0;  // 1: workstation, 3: server
    bool wow64 = false;            // a 32-bit process on a 64-bit system
    std::string servicePack;
    std::uint16_t userLanguageId = 0;
};

class COsVersion {
public:
    // The plug-in's copy never reports the 64-bit editions: it sees them as
    // their 32-bit counterparts.
    enum class Edition { Host, Plugin };

    // Detects the running system.
    explicit COsVersion(Edition edition = Edition::Host);
    // Detection over a given record (tests; simulating another system).
    explicit COsVersion(const OsVersionRecord& record, Edition edition = Edition::Host);

    // What this system reports: the NT family, a version after the ones the
    // flags name, no service pack, the language of the user's locale.
    static OsVersionRecord ThisSystem();

    bool IsUnknownPlatform() const { return unknownPlatform_; }
    bool IsWin95() const { return win95_; }
    bool IsWin98() const { return win98_; }
    bool IsWinME() const { return winME_; }
    bool IsNTOther() const { return ntOther_; }
    bool IsWin2000() const { return win2000_; }
    bool IsWinXP() const { return winXP_; }
    bool IsWin2003() const { return win2003_; }
    // Both are set for the whole 9x family.
    bool IsWin9x() const { return win9x_; }
    bool Is9xFamily() const { return family9x_; }
    bool IsNTFamily() const { return ntFamily_; }
    bool IsWinXP64() const { return winXP64_; }
    bool IsWin2003_64() const { return win2003_64_; }

    // The service-pack text (NT family only), e.g. "Service Pack 2".
    const std::string& GetServicePack() const { return servicePack_; }
    std::uint32_t GetMajor() const { return major_; }
    std::uint32_t GetMinor() const { return minor_; }

    std::uint16_t GetLanguageId() const { return languageId_; }
    // The user's language code from the language table; "" when not in it.
    std::string GetLanguageCode() const;

private:
    void Detect(const OsVersionRecord& record, Edition edition);

    std::uint32_t major_ = 0;
    std::uint32_t minor_ = 0;
    std::string servicePack_;
    bool unknownPlatform_ = false;
    bool win95_ = false, win98_ = false, winME_ = false;
    bool ntOther_ = false;
    bool win2000_ = false, winXP_ = false, win2003_ = false;
    bool win9x_ = false, family9x_ = false;
    bool ntFamily_ = false;
    bool winXP64_ = false, win2003_64_ = false;
    std::uint16_t languageId_ = 0;
};
