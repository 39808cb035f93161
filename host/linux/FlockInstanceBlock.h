// The single-instance block as a file in a folder of the user's own, held
// under an exclusive flock by the first instance. The kernel drops the lock
// when that process ends in any way, so a crashed instance never blocks the
// next start; a leftover file without its lock counts as no instance.
//
// The folder is one nobody else can write: a file another user could put
// in a shared folder (/tmp) and lock would keep Velmar from starting at all.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "InstanceChecker.h"

class CFlockInstanceBlock : public IInstanceBlock {
public:
    // folder "": DefaultFolder(). uid: the user whose block this is.
    explicit CFlockInstanceBlock(std::string folder = {}, uid_t uid = geteuid());
    ~CFlockInstanceBlock() override;

    bool OpenExisting(const std::string& name) override;
    void CloseOpened() override;
    // The window id is stored as 8 bytes, little-endian.
    bool Create(const std::string& name, std::uint64_t windowId) override;
    bool CreatedHere(const std::string& name) const override;

    // The block's file. A file of that name owned by another user (root's,
    // left by a run under sudo) is no instance of this user's: the block
    // then lives beside it as "<name>-<uid>".
    std::string PathOf(const std::string& name) const;

    struct Candidate {
        std::string path;
        bool create;  // made (0700) when missing
    };
    // The first candidate that is a real folder (no symbolic link) owned by
    // uid and closed to everyone else; "" when none is.
    static std::string FirstPrivateFolder(const std::vector<Candidate>& candidates, uid_t uid);
    // $XDG_RUNTIME_DIR, else /tmp/velmar-<uid>, else $XDG_CACHE_HOME/velmar
    // (or ~/.cache/velmar), each only when private to the user.
    static std::string DefaultFolder();

private:
    std::string folder_;
    uid_t uid_;
    int opened_ = -1;
};
