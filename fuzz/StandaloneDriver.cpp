// Runs a fuzz target without libFuzzer: seed files given on the command line first, then a
// bounded number of random and mutated inputs from a fixed seed, so a run is repeatable and a
// crash found here can be replayed. `--rounds N` sets how many generated inputs to try.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  long rounds = 10000;
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::strtol(argv[++i], nullptr, 10);
    } else {
      std::ifstream in(argv[i], std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "cannot read seed %s\n", argv[i]);
        return 2;
      }
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  for (const auto& seed : seeds) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
  }
  std::mt19937 rng(1129);
  std::string input;
  for (long round = 0; round < rounds; ++round) {
    if (!seeds.empty() && rng() % 4 != 0) {
      input = seeds[rng() % seeds.size()];
      int edits = 1 + static_cast<int>(rng() % 8);
      for (int e = 0; e < edits; ++e) {
        size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
        switch (rng() % 3) {
          case 0: input.insert(input.begin() + at, static_cast<char>(rng())); break;
          case 1: if (at < input.size()) input.erase(at, 1 + rng() % 4); break;
          default: if (at < input.size()) input[at] = static_cast<char>(rng()); break;
        }
      }
    } else {
      input.resize(rng() % 256);
      for (auto& c : input) c = static_cast<char>(rng() % 4 == 0 ? rng() : "  ()\"'&:\n_1aZ"[rng() % 13]);
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("fuzz: %zu seeds and %ld generated inputs ran\n", seeds.size(), rounds);
  return 0;
}
