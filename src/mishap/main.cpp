// mishap: the error-report program. Quillon starts it with a report as its argument and does not
// wait for it; it writes the report, with the time, to its log and to standard error.
#include <ctime>
#include <iostream>
#include <string>

#include "mishap/MishapLog.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: mishap REPORT\n";
    return 2;
  }
  std::string report = argv[1];
  for (int i = 2; i < argc; ++i) report += std::string(" ") + argv[i];
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  std::string entry = quillon::mishap::MishapLog::Entry(stamp, report);
  std::cerr << "Quillon reported a problem at " << entry;
  auto path = quillon::mishap::MishapLog::DefaultPath();
  if (!path || !quillon::mishap::MishapLog::Append(*path, entry)) {
    std::cerr << "mishap: the report could not be written to the log\n";
    return 1;
  }
  return 0;
}
