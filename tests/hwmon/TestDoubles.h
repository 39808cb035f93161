// In-memory doubles of the chip layer's ports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hwmon/PortIo.h"
#include "hwmon/ProcessorCount.h"
#include "hwmon/varnio/ChipStateStore.h"
#include "hwmon/varnio/MonotonicClock.h"

namespace hwmon::test {

// One port operation as the chip saw it.
struct PortOp {
    enum Kind { Out, In } kind;
    int port;
    int value;  // written, or read (unchanged on failure)
    int result;
    bool operator==(const PortOp&) const = default;
};

// Passes every operation to the chip behind it and keeps a log of them.
class CRecordingPort : public IPortIo {
public:
    explicit CRecordingPort(IPortIo& chip) : chip_(chip) {}

    int OutPortB(int port, int value) override
    {
        const int result = chip_.OutPortB(port, value);
        ops.push_back({PortOp::Out, port, value, result});
        unclaimedOps += claimDepth == 0;
        return result;
    }
    int InPortB(int port, std::uint8_t* value) override
    {
        const int result = chip_.InPortB(port, value);
        ops.push_back({PortOp::In, port, value != nullptr ? *value : -1, result});
        unclaimedOps += claimDepth == 0;
        return result;
    }
    void Claim() override
    {
        outerClaims += claimDepth == 0;
        ++claimDepth;
    }
    void Release() override { --claimDepth; }

    // Values written to the data port after the given index was written.
    std::vector<int> DataWritesTo(int index) const
    {
        std::vector<int> values;
        int current = -1;
        for (const auto& op : ops) {
            if (op.kind == PortOp::Out && op.port == kIndexPort) {
                current = op.value;
            } else if (op.kind == PortOp::Out && op.port == kDataPort && current == index) {
                values.push_back(op.value);
            }
        }
        return values;
    }
    // Every register index written to the index port, in order.
    std::vector<int> Indexes() const
    {
        std::vector<int> values;
        for (const auto& op : ops) {
            if (op.kind == PortOp::Out && op.port == kIndexPort) {
                values.push_back(op.value);
            }
        }
        return values;
    }
    int DataWrites() const
    {
        int count = 0;
        for (const auto& op : ops) {
            count += op.kind == PortOp::Out && op.port == kDataPort;
        }
        return count;
    }
    bool OnlyChipPorts() const
    {
        for (const auto& op : ops) {
            if (!IsChipPort(op.port)) {
                return false;
            }
        }
        return true;
    }
    void Clear()
    {
        ops.clear();
        unclaimedOps = outerClaims = 0;
    }

    std::vector<PortOp> ops;
    int claimDepth = 0;    // open claims; 0 between operations
    int outerClaims = 0;   // claims taken with none open
    int unclaimedOps = 0;  // accesses made with no claim open

private:
    IPortIo& chip_;
};

class CFakeProcessorCount : public IProcessorCount {
public:
    explicit CFakeProcessorCount(int count) : count_(count) {}
    int ProcessorCount() const override { return count_; }

private:
    int count_;
};

class CMemoryStateStore : public IChipStateStore {
public:
    bool Lock() override
    {
        ++locks;
        locked = true;
        return lockSucceeds;
    }
    void Unlock() override { locked = false; }
    bool Load(std::string& out) override
    {
        ++loads;
        if (!present) {
            return false;
        }
        out = text;
        return true;
    }
    bool Save(const std::string& in) override
    {
        ++saves;
        if (!saveSucceeds) {
            return false;
        }
        text = in;
        present = true;
        return true;
    }
    std::string Describe() const override { return "memory"; }

    std::string text;
    bool present = false;
    bool lockSucceeds = true;
    bool saveSucceeds = true;
    bool locked = false;
    int locks = 0;
    int loads = 0;
    int saves = 0;
};

class CFakeClock : public IMonotonicClock {
public:
    std::int64_t NowNanoseconds() const override { return now; }
    void AdvanceSeconds(double seconds) { now += static_cast<std::int64_t>(seconds * 1e9); }
    std::int64_t now = 1'000'000'000'000;
};

}  // namespace hwmon::test
