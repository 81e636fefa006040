// quillon-script FILE.vbs: runs a plugin author's script with one object, WScript, so that a
// status script can be tried outside Quillon. An error is printed the way authors know it,
// FILE(LINE, COLUMN) SOURCE: DESCRIPTION, and the exit status is 1.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "WScriptObject.h"
#include "text/CodePage.h"
#include "text/Utf8.h"
#include "vbscript/VbScriptHost.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: quillon-script [--timeout MILLISECONDS] FILE.vbs\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t timeout = -1;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      timeout = static_cast<int32_t>(std::strtol(argv[++i], nullptr, 10));
    } else if (path == nullptr) {
      path = argv[i];
    } else {
      return Usage();
    }
  }
  if (path == nullptr) return Usage();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read the file\n", path);
    return 1;
  }
  std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (code.rfind("\xEF\xBB\xBF", 0) == 0) code.erase(0, 3);
  // Scripts written on the original platform are mostly Windows-1252 ("ANSI") text.
  if (!quillon::text::IsValidUtf8(code)) code = quillon::text::Cp1252ToUtf8(code);

  quillon::vbscript::VbScriptHost host;
  host.SetLanguage("VBScript");
  host.SetTimeout(timeout);
  auto wscript = std::make_shared<quillon::vbscript::WScriptObject>(stdout, path, [](int code) {
    std::fflush(stdout);
    std::_Exit(code);
  });
  struct stat out_status {};
  wscript->SetFlushEachLine(fstat(STDOUT_FILENO, &out_status) == 0 && S_ISFIFO(out_status.st_mode));
  host.AddObject("WScript", wscript, false);
  host.SetErrorHandler([path](const quillon::platform::ScriptErrorInfo& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s(%d, %d) %s: %s\n", path, error.line, error.column,
                 error.source.c_str(), error.description.c_str());
  });
  bool ok = host.ExecuteStatement(code).ok;
  std::fflush(stdout);
  return ok ? 0 : 1;
}
