// Runs a fuzz entry point without libFuzzer: every file of the seed corpus,
// then a fixed number of inputs made by mutating the seeds with a seeded
// generator, so that a run is repeatable. Usage: NAME ITERATIONS [CORPUS_DIR]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::vector<std::string> seeds;
    if (argc > 2 && std::filesystem::is_directory(argv[2])) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    if (seeds.empty()) seeds.emplace_back("1");
    for (const auto& s : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());

    std::mt19937 rng(12345);
    const std::string alphabet = "0123456789.+-*/^()=eE ,;\"\r\n\t_abcxyzpisqrtlnexp";
    for (long i = 0; i < iterations; ++i) {
        std::string input = seeds[rng() % seeds.size()];
        const int edits = 1 + int(rng() % 8);
        for (int k = 0; k < edits; ++k) {
            const size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
            switch (rng() % 4) {
            case 0: // insert a character of the grammar
                input.insert(pos, 1, alphabet[rng() % alphabet.size()]);
                break;
            case 1: // insert any byte
                input.insert(pos, 1, char(rng() & 0xFF));
                break;
            case 2: // delete
                if (!input.empty()) input.erase(pos % input.size(), 1 + rng() % 4);
                break;
            default: // duplicate a piece
                if (!input.empty()) {
                    const size_t from = rng() % input.size();
                    input.insert(pos, input.substr(from, 1 + rng() % 16));
                }
            }
        }
        if (input.size() > 4096) input.resize(4096);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld inputs run\n", iterations + long(seeds.size()));
    return 0;
}
