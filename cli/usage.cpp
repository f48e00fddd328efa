// What each command does, its options and the exit codes.
#include "cli/usage.h"

namespace zelvane::cli {

const char kUsage[] =
    "usage: zelvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "  ports                     list the serial ports (\" in use\" marks, USB adapter where known)\n"
    "  devices [--json]          identify every listed port at once: one row a port with its\n"
    "                            adapter and its device, or \"busy\" or \"no device\"\n"
    "  read  [--port P]... [--all] [--json]\n"
    "                            find the device and print its settings\n"
    "  write [--port P]... [--all] [--channel C] [--level L] [--qam 32|64] [--country N] [--json]\n"
    "                            change the settings given, keep the others, write, verify\n"
    "  save FILE [--port P]      read the settings of one device into FILE\n"
    "  load FILE [--port P]... [--all] [--json]\n"
    "                            write the settings held in FILE, verify\n"
    "\n"
    "  --port P      the port of the device; without it every listed port is tried\n"
    "                until one holds a device. Given more than once, every device\n"
    "                named is worked on at once\n"
    "  --all         every listed port on which a device identifies, at once\n"
    "  --channel C   a TV channel of the device's plan: TV1 to TV8, CTV1 to CTV8\n"
    "  --level L     the RF level in dB, from -11,29 to 0 ('.' or ','): -3, -2,5\n"
    "  --qam 32|64   the modulation (a device of the expected revision only)\n"
    "  --country N   the country, by index or name: 0, Russia\n"
    "  --json        print the result as one JSON object; for several devices or for\n"
    "                devices, one JSON array of them\n"
    "  --trace       write the link's trace of each reply to standard error\n"
    "\n"
    "The result goes to standard output, progress and errors to standard error; with\n"
    "several devices each line of progress begins with its port and the result is one\n"
    "row a device (port, written, verified, the differences).\n"
    "Exit codes: 0 done (written and verified, or read); 1 no device found or the link\n"
    "failed; 2 usage or file error, nothing written; 3 written, but the device holds\n"
    "something else (the differences are reported); 130 interrupted (Ctrl-C, SIGTERM):\n"
    "every device stopped before its next request, the summary says what each got.\n"
    "With several devices the code is the first of these that any device has: 130,\n"
    "then 2 (a usage or file error is found before anything is sent), then 1, then 3;\n"
    "else 0.\n";

}  // namespace zelvane::cli
