// Instance-block double: a "machine" of named blocks, each owned by a
// simulated process id, shared by the blocks of several simulated processes.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "InstanceChecker.h"

struct CMemoryInstanceMachine {
    struct Block {
        int owner;
        std::uint64_t windowId;
    };
    std::map<std::string, Block> blocks;
    bool refuseCreate = false;
    // A process ends: its blocks go with it.
    void EndProcess(int process) {
        for (auto it = blocks.begin(); it != blocks.end();)
            it = it->second.owner == process ? blocks.erase(it) : std::next(it);
    }
};

class CMemoryInstanceBlock : public IInstanceBlock {
public:
    CMemoryInstanceBlock(CMemoryInstanceMachine& machine, int process) : machine_(machine), process_(process) {}

    int opens = 0;
    bool open = false;

    bool OpenExisting(const std::string& name) override {
        ++opens;
        open = machine_.blocks.count(name) != 0;
        return open;
    }
    void CloseOpened() override { open = false; }
    bool Create(const std::string& name, std::uint64_t windowId) override {
        if (machine_.refuseCreate || machine_.blocks.count(name) != 0) return false;
        machine_.blocks[name] = {process_, windowId};
        return true;
    }
    bool CreatedHere(const std::string& name) const override {
        auto found = machine_.blocks.find(name);
        return found != machine_.blocks.end() && found->second.owner == process_;
    }

private:
    CMemoryInstanceMachine& machine_;
    int process_;
};
