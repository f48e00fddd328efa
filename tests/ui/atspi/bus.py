"""The settings window and simulated devices, as a screen reader reaches
them: the window runs as a user starts it and is read and driven only
through the AT-SPI accessibility bus. Run under on-bus."""
import os
import subprocess
import time
import warnings

warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

DEADLINE_S = 30


def pump_events():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(condition, what, deadline_s=DEADLINE_S):
    end = time.monotonic() + deadline_s
    while time.monotonic() < end:
        pump_events()
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError("gave up waiting for " + what)


def descendants(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from descendants(child)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


class Device:
    """zelvane-sim on a pseudo-terminal of its own."""

    def __init__(self, program, *options):
        self.process = subprocess.Popen([program, *options], stdout=subprocess.PIPE, text=True)
        self.port = self.process.stdout.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()


class Window:
    """The settings window, listing `ports`."""

    def __init__(self, program, ports):
        environment = dict(os.environ, ZELVANE_PORTS=":".join(ports), QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([program], env=environment, stdout=subprocess.DEVNULL)
        self.app = wait_for(self._application, "the window on the bus")

    def _application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid and app.childCount:
                return app
        return None

    def close(self):
        self.process.terminate()
        self.process.wait()

    def find(self, role, name=None, description=None):
        """The first accessible of the role whose name and description match."""
        def matches(accessible):
            return (accessible.getRoleName() == role
                    and (name is None or accessible.name == name)
                    and (description is None or accessible.description == description))
        return wait_for(lambda: next(filter(matches, descendants(self.app)), None),
                        "a %s named %r described %r" % (role, name, description))

    def all(self, role):
        return [a for a in descendants(self.app) if a.getRoleName() == role]

    def press(self, role, name):
        self.find(role, name).queryAction().doAction(0)

    def cell(self, row, column):
        return self.find("table").queryTable().getAccessibleAt(row, column)


class NameChanges:
    """The names the window announces as changed, as a screen reader hears
    them: the notice names the accessible, whose new name is read from it."""

    EVENT = "object:property-change:accessible-name"

    def __init__(self, window):
        self.window = window
        self.heard = []
        pyatspi.Registry.registerEventListener(self._heard, self.EVENT)

    def _heard(self, event):
        if event.source.get_process_id() == self.window.process.pid:
            self.heard.append(event.source.name)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._heard, self.EVENT)
