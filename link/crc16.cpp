// CRC-16/MODBUS table and its use over a byte sequence.
#include "link/crc16.h"

namespace zelvane {
namespace {

constexpr std::uint16_t kReflectedPolynomial = 0xA001;
constexpr std::uint16_t kInitialValue = 0xFFFF;

Crc16Table BuildTable() {
  Crc16Table table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    auto v = static_cast<std::uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit) {
      v = (v & 1U) ? static_cast<std::uint16_t>((v >> 1) ^ kReflectedPolynomial)
                   : static_cast<std::uint16_t>(v >> 1);
    }
    table[i] = v;
  }
  return table;
}

}  // namespace

const Crc16Table& Crc16ModbusTable() {
  static const Crc16Table table = BuildTable();
  return table;
}

std::uint16_t Crc16Modbus(const std::uint8_t* bytes, std::size_t count) {
  const Crc16Table& table = Crc16ModbusTable();
  std::uint16_t crc = kInitialValue;
  for (std::size_t i = 0; i < count; ++i) {
    crc = static_cast<std::uint16_t>(table[(crc ^ bytes[i]) & 0xFFU] ^ (crc >> 8));
  }
  return crc;
}

}  // namespace zelvane
