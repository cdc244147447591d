// The open command a running program receives from other programs, over any bytes. A command that is
// taken names a non-empty absolute path within the bound, and the command made again from that path
// is read back to the same path; anything else traps.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/requests/OpenCommand.h"
#include "platform/files/FileName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::u16string path;
    if (!parseOpenCommand(input, path)) {
        if (!path.empty()) __builtin_trap();  // a refused command leaves the path alone
        return 0;
    }
    const std::string bytes = platform::fileNameToBytes(path);
    if (bytes.empty() || bytes[0] != '/' || bytes.size() > kMaxCommandPathBytes) __builtin_trap();
    std::u16string again;
    const std::string command = makeOpenCommand(bytes);
    if (command.empty() || !parseOpenCommand(command, again) || again != path) __builtin_trap();
    return 0;
}
