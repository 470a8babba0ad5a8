// Runs a fuzz target without libFuzzer: over every file named (or found in a named directory),
// and over pseudo-random variations of them from a fixed seed, so a normal build and the test
// suite exercise the target too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void RunOne(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> LoadCorpus(int argc, char** argv) {
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(path);
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return corpus;
}

std::string Mutate(std::string bytes, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        std::size_t at = bytes.empty() ? 0 : random() % (bytes.size() + 1);
        switch (random() % 4) {
            case 0: bytes.insert(at, 1, static_cast<char>(byte(random))); break;
            case 1: if (at < bytes.size()) bytes.erase(at, 1 + random() % 16); break;
            case 2: if (at < bytes.size()) bytes[at] = static_cast<char>(byte(random)); break;
            default: if (!bytes.empty()) bytes.insert(at, bytes.substr(random() % bytes.size(), 32)); break;
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const char* roundsText = std::getenv("FUZZ_REPLAY_ROUNDS");
    const int rounds = roundsText != nullptr ? std::atoi(roundsText) : 20000;
    std::vector<std::string> corpus = LoadCorpus(argc, argv);
    corpus.emplace_back();
    std::mt19937 random(12345);
    for (const std::string& input : corpus) RunOne(input);
    for (int i = 0; i < rounds; ++i) RunOne(Mutate(corpus[random() % corpus.size()], random));
    std::printf("%zu corpus inputs and %d variations ran\n", corpus.size(), rounds);
    return 0;
}
