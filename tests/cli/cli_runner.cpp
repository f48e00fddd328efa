// fork and exec with both output streams read to their end; a program that
// hangs is killed at a generous deadline so that a fault cannot stall the
// suite.
#include "cli_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zelvane::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kDeadline = std::chrono::seconds(90);
constexpr char kWinePortsVariable[] = "ZELVANE_CLI_WINE_PORTS";
constexpr char kWineProgramVariable[] = "ZELVANE_CLI_WINE_PROGRAM";
// The COM ports the Wine driver maps to links named com<N> in its folder.
constexpr int kFirstWinePort = 11;
constexpr int kWinePortCount = 4;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Windows programs end their lines with CR LF.
std::string WithoutCarriageReturns(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

[[noreturn]] void ExecChild(const std::vector<std::string>& command, const Environment& environment,
                            int out, int err) {
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  std::perror("exec");
  _exit(127);
}

}  // namespace

CliRunner::CliRunner() : winePorts_(Variable(kWinePortsVariable)) {}

CliRun CliRunner::Run(const std::vector<std::string>& arguments,
                      const Environment& environment) const {
  std::vector<std::string> command;
  if (UnderWine()) {
    command = {"wine", Variable(kWineProgramVariable)};
  } else {
    command = {ZELVANE_CLI_PROGRAM};
  }
  command.insert(command.end(), arguments.begin(), arguments.end());
  return Start(command, environment);
}

std::vector<std::string> CliRunner::Isolated(const std::vector<std::string>& arguments) {
  std::vector<std::string> command = {ZELVANE_ISOLATED_PORTS, ZELVANE_CLI_PROGRAM};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

CliRun CliRunner::RunIsolated(const std::vector<std::string>& arguments,
                              const Environment& environment) const {
  return Start(Isolated(arguments), environment);
}

CliRun CliRunner::RunIsolatedAndSignal(const std::vector<std::string>& arguments,
                                       const Environment& environment,
                                       const std::function<bool()>& when, int signal) const {
  return Start(Isolated(arguments), environment, {when, signal});
}

std::string CliRunner::PortOf(const sim::Simulator& device) {
  if (!UnderWine()) return device.PortPath();
  if (nextWinePort_ == kWinePortCount) throw std::runtime_error("no COM port left to map");
  const int number = kFirstWinePort + nextWinePort_++;
  const std::string link = winePorts_ + "/com" + std::to_string(number);
  unlink(link.c_str());
  if (symlink(device.PortPath().c_str(), link.c_str()) != 0) throw std::runtime_error("symlink");
  return "COM" + std::to_string(number);
}

CliRun CliRunner::Start(std::vector<std::string> command, const Environment& environment,
                        const Signal& signal) const {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork");
  if (child == 0) ExecChild(command, environment, out[1], err[1]);
  close(out[1]);
  close(err[1]);

  CliRun run;
  std::string* texts[] = {&run.out, &run.err};
  pollfd fds[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  const auto deadline = Clock::now() + kDeadline;
  int open = 2;
  bool signalled = !signal.when;
  while (open > 0 && Clock::now() < deadline) {
    if (!signalled && signal.when()) {
      kill(child, signal.number);
      signalled = true;
    }
    if (poll(fds, 2, 100) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  if (open > 0) kill(child, SIGKILL);
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (open == 0 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (UnderWine()) {
    run.out = WithoutCarriageReturns(run.out);
    run.err = WithoutCarriageReturns(run.err);
  }
  return run;
}

}  // namespace zelvane::testing
