// quillon-sandbox: runs a scenario file, or reads statements at a prompt.
#include <filesystem>
#include <iostream>

#include "sandbox/Sandbox.h"

int main(int argc, char** argv) {
  using quillon::sandbox::Sandbox;
  if (argc > 2 ||
      (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
    std::cerr << "usage: quillon-sandbox [SCENARIO.scn]\n";
    return 2;
  }
  Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  options.real_clock = argc == 1;
  std::error_code ignored;
  options.executable_folder =
      std::filesystem::canonical("/proc/self/exe", ignored).parent_path().string();
  try {
    Sandbox sandbox(options);
    return argc == 2 ? sandbox.RunFile(argv[1]) : sandbox.RunInteractive(std::cin);
  } catch (const std::exception& e) {
    std::cerr << "quillon-sandbox: " << e.what() << "\n";
    return 2;
  }
}
