// zelvane-sim-host: simulated devices for Windows tests under Wine. Each
// device runs on a pseudo-terminal as on Linux; the Wine prefix maps a range
// of COM ports to links in LINK_DIR (com<N>), and opening a device points
// the first free link at its terminal. A test drives its devices over one
// TCP connection to 127.0.0.1 (see sim_protocol.h); when it goes, so do
// they. The port number listened on is the first line of the output.
//
//   zelvane-sim-host LINK_DIR FIRST_COM COUNT
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "sim/simulator.h"
#include "sim_protocol.h"

namespace fs = std::filesystem;
namespace protocol = zelvane::sim::protocol;
using zelvane::sim::Simulator;

namespace {

constexpr int kArguments = 4;

class Host {
 public:
  Host(fs::path links, int firstCom, int count)
      : links_(std::move(links)), firstCom_(firstCom), count_(count) {}

  std::string Answer(const std::string& line) {
    std::istringstream in(line);
    std::ostringstream out;
    std::string word;
    in >> word;
    if (word == protocol::kOpen) {
      if (!Open(in, out) && in) return std::string(protocol::kFailed) + " no COM port left";
    } else {
      int number = -1;
      in >> number;
      auto found = devices_.find(number);
      if (found == devices_.end()) return std::string(protocol::kFailed) + " no such device";
      Drive(word, number, *found->second, in, out);
    }
    if (in.fail()) return std::string(protocol::kFailed) + " malformed: " + line;
    return protocol::kDone + out.str();
  }

  void CloseAll() { devices_.clear(); }

 private:
  // False when the state is malformed or every COM port has a device.
  bool Open(std::istream& in, std::ostream& out) {
    zelvane::sim::DeviceState state;
    if (!protocol::Get(in, state)) return false;
    int number = 0;
    while (number < count_ && devices_.count(number) != 0) ++number;
    if (number == count_) return false;
    auto device = std::make_unique<Simulator>(state);
    const int com = firstCom_ + number;
    const fs::path link = links_ / ("com" + std::to_string(com));
    const fs::path fresh = links_ / ("com" + std::to_string(com) + ".new");
    fs::remove(fresh);
    fs::create_symlink(device->PortPath(), fresh);
    fs::rename(fresh, link);
    devices_[number] = std::move(device);
    out << ' ' << number << " COM" << com;
    return true;
  }

  void Drive(const std::string& word, int number, Simulator& device, std::istream& in,
             std::ostream& out) {
    if (word == protocol::kClose) {
      devices_.erase(number);
    } else if (word == protocol::kScript) {
      int command = 0;
      std::size_t count = 0;
      in >> command >> count;
      std::vector<zelvane::sim::ReplyScript> replies(count);
      for (auto& reply : replies) protocol::Get(in, reply);
      if (in) device.Script(static_cast<std::uint8_t>(command), replies);
    } else if (word == protocol::kDefaultReply) {
      zelvane::sim::ReplyScript reply;
      if (protocol::Get(in, reply)) device.SetDefaultReply(reply);
    } else if (word == protocol::kStoreDifferently) {
      std::size_t index = 0;
      int value = 0;
      if (in >> index >> value) device.StoreDifferently(index, static_cast<std::uint8_t>(value));
    } else if (word == protocol::kSuspendOutput) {
      device.SuspendOutput();
    } else if (word == protocol::kState) {
      protocol::Put(out, device.State());
    } else if (word == protocol::kSetState) {
      zelvane::sim::DeviceState state;
      if (protocol::Get(in, state)) device.SetState(state);
    } else if (word == protocol::kRequests) {
      const auto requests = device.Requests();
      out << ' ' << requests.size();
      for (const auto& request : requests) protocol::Put(out, request);
    } else if (word == protocol::kClearRequests) {
      device.ClearRequests();
    } else if (word == protocol::kWaitForRequests || word == protocol::kWaitForReplies) {
      std::size_t count = 0;
      int timeoutMs = 0;
      if (!(in >> count >> timeoutMs)) return;
      const bool reached = word == protocol::kWaitForRequests
                               ? device.WaitForRequests(count, timeoutMs)
                               : device.WaitForReplies(count, timeoutMs);
      out << ' ' << reached;
    } else {
      in.setstate(std::ios::failbit);
    }
  }

  fs::path links_;
  int firstCom_;
  int count_;
  std::map<int, std::unique_ptr<Simulator>> devices_;
};

int Listen() {
  const int server = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // any free port
  socklen_t size = sizeof address;
  if (server < 0 || bind(server, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(server, 1) != 0 ||
      getsockname(server, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    std::perror("zelvane-sim-host: listen");
    std::exit(EXIT_FAILURE);
  }
  std::cout << ntohs(address.sin_port) << std::endl;
  return server;
}

// One test program at a time, one line after another.
void Serve(Host& host, int client) {
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(client, buffer, sizeof buffer);
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string answer = host.Answer(pending.substr(0, end)) + '\n';
      pending.erase(0, end + 1);
      if (write(client, answer.data(), answer.size()) != static_cast<ssize_t>(answer.size())) {
        return;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != kArguments) {
    std::cerr << "usage: zelvane-sim-host LINK_DIR FIRST_COM COUNT\n";
    return EXIT_FAILURE;
  }
  Host host(argv[1], std::atoi(argv[2]), std::atoi(argv[3]));
  const int server = Listen();
  for (;;) {
    const int client = accept(server, nullptr, nullptr);
    if (client < 0) continue;
    Serve(host, client);
    close(client);
    host.CloseAll();
  }
}
