#include "platform/ProcessLauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <thread>

extern char** environ;

namespace orvane {

namespace {

constexpr std::size_t kCaptureLimit = 64 * 1024;

std::vector<char*> argumentPointers(const std::vector<std::string>& arguments) {
  std::vector<char*> pointers;
  pointers.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) pointers.push_back(const_cast<char*>(argument.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

int waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

bool SystemLauncher::start(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  std::vector<char*> argv = argumentPointers(arguments);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  std::thread([pid] { waitFor(pid); }).detach();
  return true;
}

std::optional<std::string> SystemLauncher::capture(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  std::vector<char*> argv = argumentPointers(arguments);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    return std::nullopt;
  }
  std::string output;
  std::array<char, 4096> block;
  for (;;) {
    const ssize_t got = read(pipeEnds[0], block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    // Read on to the end so that the program never blocks on a full pipe.
    if (output.size() < kCaptureLimit)
      output.append(block.data(), std::min(static_cast<std::size_t>(got), kCaptureLimit - output.size()));
  }
  close(pipeEnds[0]);
  const int status = waitFor(pid);
  if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace orvane
