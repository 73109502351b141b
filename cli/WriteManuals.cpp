// orvane-manuals OUTPUT_FOLDER: writes the manual pages of orvane-cli and orvane and the
// completion scripts of orvane-cli from the verb table, at build time.
#include <fstream>
#include <iostream>
#include <string>

#include "cli/Verbs.h"
#include "usage/DesktopUsage.h"
#include "usage/ManualPage.h"
#include "usage/ShellCompletion.h"

namespace {

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::cerr << "orvane-manuals: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orvane-manuals OUTPUT_FOLDER\n";
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const orvane::ProgramHelp& tool = orvane::cliProgram();
  const bool written = writeFile(folder + "orvane-cli.1", orvane::manualPage(tool)) &&
                       writeFile(folder + "orvane.1", orvane::manualPage(orvane::desktopProgram())) &&
                       writeFile(folder + "orvane-cli.bash", orvane::bashCompletion(tool)) &&
                       writeFile(folder + "_orvane-cli", orvane::zshCompletion(tool)) &&
                       writeFile(folder + "orvane-cli.fish", orvane::fishCompletion(tool));
  return written ? 0 : 1;
}
