#include <iostream>

#include "cli/Verbs.h"

int main(int argc, char** argv) {
  orvane::StderrMessageSink sink;
  orvane::CliContext context(std::cout, std::cerr, sink);
  return orvane::runCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
