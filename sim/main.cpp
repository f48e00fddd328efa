// zelvane-sim: the simulated device on a pseudo-terminal until interrupted.
// The first line of output is the path of the port to open.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace {

using zelvane::sim::DeviceState;
using zelvane::sim::ReplyScript;

constexpr char kUsage[] =
    "usage: zelvane-sim [--revision TEXT] [--block HEX58] [--country N] [--modulation N]\n"
    "                   [--link PATH] [--silent] [--reply-length N] [--pad-to N]\n"
    "                   [--suspend-output] [--hang-up] [--store-differently N:V]\n"
    "  --revision TEXT    revision the RF module reports\n"
    "  --block HEX58      the 29-byte parameter block as 58 hex digits\n"
    "  --country N        stored country index (255: none)\n"
    "  --modulation N     0 for QAM 32, 1 for QAM 64\n"
    "  --link PATH        also reach the port through a symbolic link at PATH\n"
    "  --silent           never answer\n"
    "  --reply-length N   send only the first N bytes of every reply\n"
    "  --pad-to N         lengthen every reply to N bytes\n"
    "  --suspend-output   hold the port's output, so that every write stalls\n"
    "  --hang-up          hang the line up at the first request\n"
    "  --store-differently N:V\n"
    "                     keep V at block byte N whatever is written there\n";

[[noreturn]] void Usage(const char* problem) {
  std::cerr << "zelvane-sim: " << problem << "\n" << kUsage;
  std::exit(2);
}

unsigned long Number(const char* text, unsigned long max) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (end == text || *end != '\0' || value > max) Usage("bad number");
  return value;
}

zelvane::ParamBlock ParseBlock(const std::string& hex) {
  zelvane::ParamBlock block{};
  if (hex.size() != block.size() * 2) Usage("--block takes 58 hex digits");
  for (std::size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<std::uint8_t>(Number(("0x" + hex.substr(2 * i, 2)).c_str(), 0xFF));
  }
  return block;
}

struct StoredDifferently {
  std::size_t index;
  std::uint8_t value;
};

StoredDifferently ParseStoredDifferently(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) Usage("--store-differently takes N:V");
  const auto index = Number(text.substr(0, colon).c_str(), zelvane::kParamBlockSize - 1);
  const auto value = Number(text.substr(colon + 1).c_str(), 0xFF);
  return {index, static_cast<std::uint8_t>(value)};
}

}  // namespace

int main(int argc, char** argv) {
  DeviceState state;
  ReplyScript reply;
  std::string link;
  bool suspendOutput = false;
  std::vector<StoredDifferently> storedDifferently;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const auto value = [&]() -> const char* {
      if (i + 1 >= argc) Usage("missing value");
      return argv[++i];
    };
    if (option == "--revision") state.revision = value();
    else if (option == "--block") state.block = ParseBlock(value());
    else if (option == "--country") state.country = static_cast<std::uint8_t>(Number(value(), 255));
    else if (option == "--modulation") state.modulation = static_cast<std::uint8_t>(Number(value(), 255));
    else if (option == "--link") link = value();
    else if (option == "--silent") reply.silent = true;
    else if (option == "--reply-length") reply.length = Number(value(), 1024);
    else if (option == "--pad-to") reply.padTo = Number(value(), 1024);
    else if (option == "--suspend-output") suspendOutput = true;
    else if (option == "--hang-up") reply.hangUp = true;
    else if (option == "--store-differently") storedDifferently.push_back(ParseStoredDifferently(value()));
    else if (option == "--help" || option == "-h") { std::cout << kUsage; return 0; }
    else Usage("unknown option");
  }

  // Block the signals before the simulator's thread starts, so that only
  // sigwait below receives them.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);

  zelvane::sim::Simulator simulator(state);
  simulator.SetDefaultReply(reply);
  if (suspendOutput) simulator.SuspendOutput();
  for (const StoredDifferently& byte : storedDifferently) simulator.StoreDifferently(byte.index, byte.value);
  if (!link.empty()) {
    unlink(link.c_str());
    if (symlink(simulator.PortPath().c_str(), link.c_str()) != 0) {
      std::perror("zelvane-sim: symlink");
      return 1;
    }
  }
  std::cout << simulator.PortPath() << std::endl;

  int signal = 0;
  sigwait(&stop, &signal);
  if (!link.empty()) unlink(link.c_str());
  return 0;
}
