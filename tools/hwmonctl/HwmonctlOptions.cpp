#include "HwmonctlOptions.h"

#include <charconv>

const char* const kHwmonctlUsage =
    "usage: hwmonctl [--output NAME [--target C] [--tolerance C] [--start %] [--stop %]\n"
    "                [--enable | --disable] [--output-mode 0|1|2]] [--watch [--seconds N]]\n"
    "       hwmonctl --check | --simulate-reset | --simulate-overheat on|off\n"
    "\n"
    "Without options: identify the chip and the backend, print every sensor with\n"
    "its reading and limits and every fan output's settings.\n"
    "  --output NAME     fan output to program: SYSFANIN, CPUFANIN0, AUXFANIN0, CPUFANIN1\n"
    "  --target C        target temperature, 0-127 degrees Celsius\n"
    "  --tolerance C     tolerance, 0-15 degrees Celsius\n"
    "  --start %         start value, percent of full output\n"
    "  --stop %          stop value, percent of full output\n"
    "  --enable          switch thermal cruise on\n"
    "  --disable         switch it off (manual, full output)\n"
    "  --output-mode M   0 clear, 1 set, 2 keep the output-mode bit (default 2)\n"
    "  --watch           print temperatures, duty and fan speed once a second\n"
    "  --seconds N       stop watching after N lines\n"
    "  --check           what stands between you and working fans, and what to run\n"
    "  --simulate-reset  put the simulated chip back to its power-on values, as a\n"
    "                    board's firmware does on resume (never a real chip)\n"
    "  --simulate-overheat on|off\n"
    "                    the simulated processor's cooler fails (CPUTIN passes its\n"
    "                    limit within seconds) or works again (never a real chip)\n";

namespace {

bool ParseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

HwmonctlOptions ParseHwmonctlOptions(const std::vector<std::string>& args, std::string& error)
{
    HwmonctlOptions options;
    struct NumberOption {
        const char* name;
        std::optional<int> HwmonctlOptions::*field;
    };
    const NumberOption numbers[] = {
        {"--target", &HwmonctlOptions::target},     {"--tolerance", &HwmonctlOptions::tolerance},
        {"--start", &HwmonctlOptions::start},       {"--stop", &HwmonctlOptions::stop},
        {"--seconds", &HwmonctlOptions::seconds},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--watch") {
            options.watch = true;
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg == "--simulate-reset") {
            options.simulateReset = true;
        } else if (arg == "--simulate-overheat") {
            if (!hasValue || (args[i + 1] != "on" && args[i + 1] != "off")) {
                error = "--simulate-overheat needs on or off";
                return options;
            }
            options.simulateOverheat = args[++i] == "on";
        } else if (arg == "--enable" || arg == "--disable") {
            if (options.enable.has_value()) {
                error = "give --enable or --disable once";
                return options;
            }
            options.enable = arg == "--enable";
        } else if (arg == "--output") {
            if (!hasValue) {
                error = "--output needs a fan output name";
                return options;
            }
            options.output = args[++i];
        } else if (arg == "--output-mode") {
            if (!hasValue || !ParseInt(args[i + 1], options.outputMode)) {
                error = "--output-mode needs 0, 1 or 2";
                return options;
            }
            ++i;
        } else {
            bool known = false;
            for (const auto& number : numbers) {
                if (arg == number.name) {
                    int value = 0;
                    if (!hasValue || !ParseInt(args[i + 1], value)) {
                        error = arg + " needs a whole number";
                        return options;
                    }
                    options.*number.field = value;
                    ++i;
                    known = true;
                }
            }
            if (!known) {
                error = "unknown argument: " + arg;
                return options;
            }
        }
    }
    const bool programs = options.target || options.tolerance || options.start || options.stop ||
                          options.enable || options.outputMode != 2;
    if (programs && options.output.empty()) {
        error = "programming options need --output NAME";
    } else if (!options.output.empty() && !programs) {
        error = "--output needs at least one of --target, --tolerance, --start, --stop, --enable, --disable";
    } else if (options.seconds && (!options.watch || *options.seconds < 1)) {
        error = "--seconds needs --watch and a count of at least 1";
    } else if (const int alone = options.check + options.simulateReset + options.simulateOverheat.has_value();
               alone > 1 || (alone == 1 && (programs || options.watch))) {
        error = "--check, --simulate-reset and --simulate-overheat go alone";
    }
    return options;
}
