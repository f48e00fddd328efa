"""What a screen reader reads of the settings window, over the bus.

Usage: on-bus python3 window_on_bus.py ZELVANE_SETTINGS ZELVANE_SIM
"""
import sys
import unittest

import pyatspi

from bus import Device, NameChanges, Window, text_of, wait_for

SETTINGS = SIM = None
LEVEL_BYTE = (9, 2)  # the grid's row and column of block byte 19


RUSSIAN = {
    "status": "Состояние подключения",
    "installed": "Установленная RF (MHz)",
    "chosen": "Выбранная RF (MHz)",
    "country": "Страна",
    "level text": "Уровень RF в dB",
    "slider": "Уровень RF (dB)",
    "port": "Порт подключения",
    "byte 19": "Байт 19",
}
ENGLISH = {
    "status": "Connection status",
    "installed": "Installed RF (MHz)",
    "chosen": "Chosen RF (MHz)",
    "country": "Country",
    "level text": "RF level in dB",
    "slider": "RF level (dB)",
    "port": "Port to connect",
    "byte 19": "Byte 19",
}


class WindowOnTheBus(unittest.TestCase):
    def start(self, *options):
        device = Device(SIM, *options)
        self.addCleanup(device.stop)
        window = Window(SETTINGS, [device.port])
        self.addCleanup(window.close)
        return window

    def connect(self, window):
        heard = NameChanges(window)
        self.addCleanup(heard.close)
        window.press("push button", "Подключить")
        wait_for(lambda: any(n.endswith("..OK!") for n in heard.heard), "the status ..OK! to be heard")
        status = window.find("label", description=RUSSIAN["status"])
        self.assertTrue(status.name.startswith("Find device and connect"), status.name)
        self.assertTrue(status.name.endswith("..OK!"), status.name)
        return heard

    def set_level_to_minus_3_db(self, window):
        """Moves the slider over the bus; the grid's byte 19 follows."""
        window.find("slider", RUSSIAN["slider"]).queryValue().currentValue = 17
        wait_for(lambda: window.cell(*LEVEL_BYTE).name == "98", "the cell to show the new level")

    def readouts(self, window, names):
        return {
            "installed": window.find("label", description=names["installed"]).name,
            "chosen": window.find("label", description=names["chosen"]).name,
            "country": window.find("combo box", description=names["country"]).name,
            "level text": text_of(window.find("text", names["level text"])),
            "slider": window.find("slider", names["slider"]).queryValue().currentValue,
        }

    def test_every_readout_gives_what_it_is_and_its_value_in_the_language_of_the_moment(self):
        window = self.start()
        self.connect(window)
        expected = {"installed": "62,00", "chosen": "62,00", "country": "Russia",
                    "level text": "0,00", "slider": 24.0}
        self.assertEqual(self.readouts(window, RUSSIAN), expected)
        checked = [a.name for a in window.all("radio button")
                   if a.getState().contains(pyatspi.STATE_CHECKED)]
        self.assertEqual(checked, ["Автоматически", "32", "TV2"])
        unnamed = [a.description for a in window.all("text") if not a.name]
        self.assertEqual(unnamed, [], "every text field has a name")

        window.press("push button", "Язык интерфейса")
        window.find("label", description=ENGLISH["status"])
        self.assertEqual(self.readouts(window, ENGLISH), expected)
        self.assertTrue(window.find("text", ENGLISH["port"]))

    def test_a_byte_cell_gives_its_value_and_which_byte_it_is(self):
        window = self.start()
        self.connect(window)
        window.press("push button", "Открыть таблицу для правки")
        cell = window.cell(*LEVEL_BYTE)
        self.assertEqual((cell.name, cell.description), ("FF", RUSSIAN["byte 19"]))

        self.set_level_to_minus_3_db(window)
        self.assertEqual(window.cell(*LEVEL_BYTE).description, RUSSIAN["byte 19"])

        window.press("push button", "Язык интерфейса")
        wait_for(lambda: window.cell(*LEVEL_BYTE).description == ENGLISH["byte 19"],
                 "the cell described in English")

    def test_a_failed_verification_is_heard_and_its_cell_keeps_the_report(self):
        window = self.start("--store-differently", "19:0xA7")
        heard = self.connect(window)
        window.press("push button", "Открыть таблицу для правки")
        self.set_level_to_minus_3_db(window)
        window.press("push button", "Записать установленные")

        wait_for(lambda: any(n.endswith("..ERROR!") for n in heard.heard), "..ERROR! to be heard")
        report = "byte 19: wrote 98, device holds A7"
        status = next(a for a in window.all("label") if a.name.endswith("..ERROR!"))
        self.assertIn(RUSSIAN["status"], status.description)
        self.assertIn(report, status.description)
        cell = window.cell(*LEVEL_BYTE)
        self.assertIn(RUSSIAN["byte 19"], cell.description)
        self.assertIn(report, cell.description)


if __name__ == "__main__":
    SETTINGS, SIM = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
