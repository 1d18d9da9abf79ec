// velmar-cli: the analysis engine of Вельмар without a window, for scripts and handouts.

#include <cstdio>
#include <string>
#include <vector>

#include "cli_options.h"
#include "cli_outputs.h"
#include "cli_session.h"
#include "cli_signals.h"

int main(int argc, char** argv) {
  InstallSignalHandlers();
  const std::vector<std::string> args(argv + 1, argv + argc);
  CliOptions options;
  try {
    options = ParseCliOptions(args);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "velmar-cli: %s\nTry 'velmar-cli --help'.\n", error.what());
    return 2;
  }
  if (options.help) {
    std::fputs(CliUsage().c_str(), stdout);
    return FinishStandardOutput(stdout, stderr) ? 0 : 1;
  }
  return RunCliSession(options, stdout, stderr);
}
