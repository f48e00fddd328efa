"""How long the settings window leaves a screen reader waiting: from outside,
over the accessibility bus, one query after another while the window runs
a search over three silent ports before the device, then a write and its
verification. Each query is answered only when the window's event loop runs,
as keyboard and mouse input are.

Usage (from the source folder, after a build in build/):
  tests/ui/isolated-ports tests/ui/atspi/on-bus \\
      /usr/bin/python3 bench/window_over_bus.py build/zelvane-settings build/zelvane-sim
"""
import os
import subprocess
import sys
import time

BUS_HELPERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "ui", "atspi")
sys.path.insert(0, BUS_HELPERS)
from bus import Device, NameChanges, Window, descendants, pump_events  # noqa: E402
import pyatspi  # noqa: E402

SILENT_PORTS = 3
WORKFLOW_DEADLINE_S = 60


def timed(action):
    start = time.monotonic()
    action()
    return (time.monotonic() - start) * 1000


def press_button(pid, name):
    """Run as a client of its own: presses the button and prints how long
    the press took to be answered."""
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid)
    button = next(a for a in descendants(app) if a.getRoleName() == "push button" and a.name == name)
    print(timed(lambda: button.queryAction().doAction(0)))


def answer_times(window, heard, button):
    """Presses the button from another client, then queries the window
    until it announces ..OK!; the time the press took to be answered, and
    the time each query took."""
    heard.heard.clear()
    probe = window.find("push button", "Язык интерфейса").queryComponent()
    presser = subprocess.Popen([sys.executable, __file__, "--press", str(window.process.pid), button],
                               stdout=subprocess.PIPE, text=True)
    answers = []
    end = time.monotonic() + WORKFLOW_DEADLINE_S
    while not any(name.endswith("..OK!") for name in heard.heard):
        if time.monotonic() > end:
            raise SystemExit("the workflow did not end")
        answers.append(timed(lambda: probe.getExtents(0)))
        pump_events()
    pressed_ms = float(presser.communicate()[0])
    return pressed_ms, sorted(answers)


def report(workflow, pressed_ms, answers):
    percentile_95 = answers[int(0.95 * (len(answers) - 1))]
    print("%-24s press answered in %6.1f ms; %5d queries, longest %6.1f ms, 95th percentile %5.1f ms"
          % (workflow, pressed_ms, len(answers), answers[-1], percentile_95))


def main(settings, sim):
    devices = [Device(sim, "--silent") for _ in range(SILENT_PORTS)] + [Device(sim)]
    window = Window(settings, [device.port for device in devices])
    heard = NameChanges(window)
    try:
        report("search and connect", *answer_times(window, heard, "Подключить"))
        report("write and verification", *answer_times(window, heard, "Записать установленные"))
    finally:
        heard.close()
        window.close()
        for device in devices:
            device.stop()


if __name__ == "__main__":
    if sys.argv[1] == "--press":
        press_button(int(sys.argv[2]), sys.argv[3])
    else:
        main(*sys.argv[1:3])
