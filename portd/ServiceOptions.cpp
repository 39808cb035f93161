#include "portd/ServiceOptions.h"

#include <charconv>

namespace portd {

const char* const kServiceUsage =
    "usage: velmar-portd [--socket PATH] [--backend direct|simulated] [--state-file PATH]\n"
    "                    [--chip-id 0xA1|0xC1] [--group NAME|GID] [--claim-timeout MS]\n"
    "\n"
    "Gives root and the members of one group access to the W83627EHF's ports\n"
    "0x295/0x296, and to nothing else, through a local socket.\n"
    "  --socket PATH        listen here (foreground); without it the socket\n"
    "                       comes from systemd (velmar-portd.socket)\n"
    "  --backend B          direct: the real chip (default); simulated: a\n"
    "                       simulated W83627EHF, for tests and trying things\n"
    "  --state-file PATH    the simulated chip's state (default: beside the socket)\n"
    "  --chip-id ID         the simulated chip's id (default 0xA1)\n"
    "  --group G            the group whose members are served (default velmar)\n"
    "  --claim-timeout MS   longest time one client keeps the chip (default 2000)\n";

namespace {

bool ParseNumber(const std::string& text, std::int64_t& value, int base = 10)
{
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        begin += 2;
    }
    const auto [ptr, ec] = std::from_chars(begin, end, value, base);
    return ec == std::errc() && ptr == end && begin != end;
}

}  // namespace

ServiceOptions ParseServiceOptions(const std::vector<std::string>& args, std::string& error)
{
    ServiceOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = arg.starts_with("--") ? arg + " needs a value" : "unknown argument: " + arg;
            return options;
        }
        const std::string& value = args[++i];
        std::int64_t number = 0;
        if (arg == "--socket") {
            options.socketPath = value;
        } else if (arg == "--backend") {
            if (value != "direct" && value != "simulated") {
                error = "--backend is direct or simulated";
                return options;
            }
            options.backend = value;
        } else if (arg == "--state-file") {
            options.stateFile = value;
        } else if (arg == "--chip-id") {
            if (!ParseNumber(value, number, 16) || (number != 0xA1 && number != 0xC1)) {
                error = "--chip-id is 0xA1 or 0xC1";
                return options;
            }
            options.chipId = static_cast<std::uint8_t>(number);
        } else if (arg == "--group") {
            options.group = value;
        } else if (arg == "--claim-timeout") {
            if (!ParseNumber(value, number) || number < 10 || number > 60000) {
                error = "--claim-timeout is 10 to 60000 milliseconds";
                return options;
            }
            options.claimTimeoutMs = number;
        } else {
            error = "unknown argument: " + arg;
            return options;
        }
    }
    if (options.backend == "direct" && !options.stateFile.empty()) {
        error = "--state-file is for the simulated backend";
    }
    return options;
}

}  // namespace portd
