// Runs a fuzz target over every file of the given folders (the checked-in
// corpus and any crash files), so that ctest replays the corpus with any
// compiler. Each input's path goes to stderr before it runs, so that a crash
// names the input that caused it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// The regular files below folder, in name order (replays are repeatable);
// false when the folder cannot be read.
bool ListInputs(const char* folder, std::vector<std::filesystem::path>& inputs)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return !ec;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> inputs;
        if (!ListInputs(argv[i], inputs)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        for (const auto& path : inputs) {
            std::fprintf(stderr, "replaying %s\n", path.c_str());
            std::ifstream in(path, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
