// The port service's frame parser: the bytes any local user can send to code
// that runs as root, read as the service reads a connection (frame after
// frame until one is not complete) and as a client reads the service's
// replies. The first byte chooses the side. A frame that parses is exactly
// the bytes its encoding gives, so nothing is read that the protocol does
// not say; a cut frame only ever waits for more.
#include <span>

#include "FuzzSupport.h"
#include "portd/PortProtocol.h"

using fuzz::Expect;
using portd::Parse;

namespace {

template <class Frame, class ParseFn, class EncodeFn>
void ReadStream(std::span<const std::uint8_t> bytes, ParseFn parse, EncodeFn encode) {
    while (!bytes.empty()) {
        Frame frame;
        std::size_t consumed = 99;
        const Parse result = parse(bytes, frame, consumed);
        if (result != Parse::Complete) {
            Expect(consumed == 0, "an incomplete or refused frame consumes nothing");
            return;
        }
        Expect(consumed > 0 && consumed <= bytes.size(), "a frame lies within the bytes read");
        const auto whole = bytes.first(consumed);
        const std::vector<std::uint8_t> again = encode(frame);
        Expect(std::equal(again.begin(), again.end(), whole.begin(), whole.end()),
               "a frame that parses is its own encoding");
        for (std::size_t cut = 0; cut < consumed; ++cut) {
            Frame partial;
            std::size_t none = 0;
            const Parse early = parse(whole.first(cut), partial, none);
            Expect(early == Parse::NeedMore, "a frame cut short waits for the rest");
        }
        bytes = bytes.subspan(consumed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    if (data[0] & 1)
        ReadStream<portd::Reply>(bytes, portd::ParseReply, portd::EncodeReply);
    else
        ReadStream<portd::Request>(bytes, portd::ParseRequest, portd::EncodeRequest);
    return 0;
}
