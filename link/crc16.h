// CRC-16/MODBUS as the device's frames carry it, computed through a table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelvane {

using Crc16Table = std::array<std::uint16_t, 256>;

// The table is built on the first call and only read afterwards; calling
// this at start-up keeps the cost out of the first exchange.
const Crc16Table& Crc16ModbusTable();

// Initial value 0xFFFF, reflected polynomial 0xA001, no final XOR.
std::uint16_t Crc16Modbus(const std::uint8_t* bytes, std::size_t count);

}  // namespace zelvane
