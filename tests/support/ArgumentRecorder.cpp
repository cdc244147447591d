// A stand-in application for the tests of program launching: it writes the arguments it was started
// with (argv[0] included), each followed by a 0 byte, into a new file "<pid>.args" in the folder that
// $VDK_RECORD_FOLDER names, and ends. The file appears whole (written under another name, then
// renamed), so a test never reads half a record.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* folder = std::getenv("VDK_RECORD_FOLDER");
    if (!folder) return 2;
    std::string record;
    for (int i = 0; i < argc; ++i) {
        record += argv[i];
        record += '\0';
    }
    const std::string base = std::string(folder) + "/" + std::to_string(getpid());
    const std::string partial = base + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out) return 3;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    if (std::fclose(out) != 0 || !written) return 4;
    return std::rename(partial.c_str(), (base + ".args").c_str()) == 0 ? 0 : 5;
}
