// One running host per user session. The first instance registers a named
// block that lives exactly as long as its process and holds its main window's
// id; a later start that finds the block ends at once with exit code 0.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* kInstanceBlockPrefix = "CInstanceChecker_MMF_";

// Port: the named block whose life is the creating process's.
class IInstanceBlock {
public:
    virtual ~IInstanceBlock() = default;
    // True when another process holds the block; the handle opened for the
    // question is closed again by CloseOpened.
    virtual bool OpenExisting(const std::string& name) = 0;
    virtual void CloseOpened() = 0;
    // Creates the block, holds it for the rest of the process and writes the
    // window id into it. False when it cannot be created (or another process
    // took it meanwhile).
    virtual bool Create(const std::string& name, std::uint64_t windowId) = 0;
    // This process created the block.
    virtual bool CreatedHere(const std::string& name) const = 0;
};

class CInstanceChecker {
public:
    CInstanceChecker(IInstanceBlock& block, const std::string& applicationName);
    ~CInstanceChecker();
    CInstanceChecker(const CInstanceChecker&) = delete;
    CInstanceChecker& operator=(const CInstanceChecker&) = delete;

    // A block registered by this very process is not another instance: a
    // page that completes a second time must not end the program it belongs
    // to.
    bool AnotherInstanceRunning();
    // False when the block already exists or cannot be created.
    bool RegisterFirstInstance(std::uint64_t mainWindowId);

    const std::string& BlockName() const { return name_; }

private:
    IInstanceBlock& block_;
    std::string name_;
};

enum class InstanceDecision {
    SecondInstance,  // end the process with code 0, nothing stored
    Registered,      // this is the first instance
    Unprotected,     // the block could not be made: run on without the rule
};

// The single-instance rule of the first main-page completion.
InstanceDecision ApplySingleInstanceRule(IInstanceBlock& block, const std::string& applicationName,
                                         std::uint64_t mainWindowId);
