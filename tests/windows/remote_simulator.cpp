// The test's side of the simulator protocol, over Winsock. Every device of
// a test program shares one connection to the host, opened on first use at
// the port named by ZELVANE_SIM_HOST.
#include "remote_simulator.h"

#include <winsock2.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "sim_protocol.h"

namespace zelvane::sim {
namespace {

constexpr char kHostVariable[] = "ZELVANE_SIM_HOST";
constexpr std::size_t kReceiveChunk = 4096;

class HostConnection {
 public:
  static HostConnection& Get() {
    static HostConnection connection;
    return connection;
  }

  // Sends one request line; returns the answer's words after "ok".
  std::istringstream Ask(const std::string& request) {
    const std::string line = request + '\n';
    if (send(socket_, line.data(), static_cast<int>(line.size()), 0) !=
        static_cast<int>(line.size())) {
      throw std::runtime_error("simulator host: send failed");
    }
    std::istringstream answer(ReadLine());
    std::string word;
    answer >> word;
    if (word != protocol::kDone) throw std::runtime_error("simulator host: " + answer.str());
    return answer;
  }

 private:
  HostConnection() {
    const char* port = std::getenv(kHostVariable);
    if (port == nullptr) throw std::runtime_error("ZELVANE_SIM_HOST is not set: run by run-under-wine");
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(std::atoi(port)));
    if (socket_ == INVALID_SOCKET ||
        connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      throw std::runtime_error(std::string("cannot reach the simulator host on port ") + port);
    }
  }
  ~HostConnection() {
    closesocket(socket_);
    WSACleanup();
  }

  std::string ReadLine() {
    for (std::size_t end; ; ) {
      if ((end = pending_.find('\n')) != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      char buffer[kReceiveChunk];
      const int got = recv(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) throw std::runtime_error("simulator host: connection lost");
      pending_.append(buffer, static_cast<std::size_t>(got));
    }
  }

  SOCKET socket_ = INVALID_SOCKET;
  std::string pending_;
};

std::istringstream Ask(const std::string& word, int number, const std::ostringstream& values = {}) {
  return HostConnection::Get().Ask(word + ' ' + std::to_string(number) + values.str());
}

}  // namespace

RemoteSimulator::RemoteSimulator(const DeviceState& state) {
  std::ostringstream values;
  protocol::Put(values, state);
  std::istringstream answer = HostConnection::Get().Ask(protocol::kOpen + values.str());
  answer >> number_ >> port_;
}

RemoteSimulator::~RemoteSimulator() {
  try {
    Ask(protocol::kClose, number_);
  } catch (const std::exception&) {
    // The host went first; its devices went with it.
  }
}

void RemoteSimulator::Script(std::uint8_t command, const std::vector<ReplyScript>& replies) {
  std::ostringstream values;
  values << ' ' << int{command} << ' ' << replies.size();
  for (const ReplyScript& reply : replies) protocol::Put(values, reply);
  Ask(protocol::kScript, number_, values);
}

void RemoteSimulator::SetDefaultReply(const ReplyScript& reply) {
  std::ostringstream values;
  protocol::Put(values, reply);
  Ask(protocol::kDefaultReply, number_, values);
}

void RemoteSimulator::StoreDifferently(std::size_t index, std::uint8_t value) {
  std::ostringstream values;
  values << ' ' << index << ' ' << int{value};
  Ask(protocol::kStoreDifferently, number_, values);
}

void RemoteSimulator::SuspendOutput() { Ask(protocol::kSuspendOutput, number_); }

DeviceState RemoteSimulator::State() const {
  std::istringstream answer = Ask(protocol::kState, number_);
  DeviceState state;
  if (!protocol::Get(answer, state)) throw std::runtime_error("simulator host: bad state");
  return state;
}

void RemoteSimulator::SetState(const DeviceState& state) {
  std::ostringstream values;
  protocol::Put(values, state);
  Ask(protocol::kSetState, number_, values);
}

std::vector<Request> RemoteSimulator::Requests() const {
  std::istringstream answer = Ask(protocol::kRequests, number_);
  std::size_t count = 0;
  answer >> count;
  std::vector<Request> requests(count);
  for (Request& request : requests) protocol::Get(answer, request);
  if (!answer) throw std::runtime_error("simulator host: bad requests");
  return requests;
}

std::vector<Request> RemoteSimulator::RequestsFor(std::uint8_t command) const {
  return OfCommand(Requests(), command);
}

void RemoteSimulator::ClearRequests() { Ask(protocol::kClearRequests, number_); }

bool RemoteSimulator::WaitForRequests(std::size_t count, int timeoutMs) const {
  return Wait(protocol::kWaitForRequests, count, timeoutMs);
}

bool RemoteSimulator::WaitForReplies(std::size_t count, int timeoutMs) const {
  return Wait(protocol::kWaitForReplies, count, timeoutMs);
}

bool RemoteSimulator::Wait(const char* word, std::size_t count, int timeoutMs) const {
  std::ostringstream values;
  values << ' ' << count << ' ' << timeoutMs;
  bool reached = false;
  Ask(word, number_, values) >> reached;
  return reached;
}

}  // namespace zelvane::sim
