// What each command does, its options and the exit codes.
#include "cli/usage.h"

namespace zelvane::cli {

const char kUsage[] =
    "usage: zelvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "  ports                     list the serial ports (\" in use\" marks, USB adapter where known)\n"
    "  read  [--port P] [--json] find the device and print its settings\n"
    "  write [--port P] [--channel C] [--level L] [--qam 32|64] [--country N] [--json]\n"
    "                            change the settings given, keep the others, write, verify\n"
    "  save FILE [--port P]      read the settings into FILE\n"
    "  load FILE [--port P] [--json]\n"
    "                            write the settings held in FILE, verify\n"
    "\n"
    "  --port P      the port of the device; without it every listed port is tried\n"
    "  --channel C   a TV channel of the device's plan: TV1 to TV8, CTV1 to CTV8\n"
    "  --level L     the RF level in dB, from -11,29 to 0 ('.' or ','): -3, -2,5\n"
    "  --qam 32|64   the modulation (a device of the expected revision only)\n"
    "  --country N   the country, by index or name: 0, Russia\n"
    "  --json        print the result as one JSON object\n"
    "  --trace       write the link's trace of each reply to standard error\n"
    "\n"
    "The result goes to standard output, progress and errors to standard error.\n"
    "Exit codes: 0 done (written and verified, or read); 1 no device found or the link\n"
    "failed; 2 usage or file error, nothing written; 3 written, but the device holds\n"
    "something else (the differences are reported).\n";

}  // namespace zelvane::cli
