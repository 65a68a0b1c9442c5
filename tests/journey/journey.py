"""What a person sees: the real Glimra.exe driven through the X server with xdotool, beside
programs of the Wine prefix, with screenshots as the truth.

Run by ctest on the display and prefix tools/test starts: journey.py BUILD_DIR [ROUNDS].
"""
import datetime
import glob
import os
import subprocess
import sys
import time
import unittest

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
PREFIX = os.environ["WINEPREFIX"]
TEMP = "journey"
FOLDER = os.path.join(PREFIX, "drive_c", TEMP, "__GLIMRA__")
RED = 0xFF0000
HINT = 0xFFFFE1  # the background of a button's hint
WIDTH = 1920
# The toolbar over the editor's white page: a freeze that caught it would hold its pixels there.
TOOLBAR = (1300, 400)
TOOLBAR_SIZE = (230, 89)
# Where the other programs stand: the game half under the registry editor, the editor apart.
GAME_AT = (300, 300)
REGEDIT = (400, 330, 700, 450)
NOTEPAD = (1150, 150, 600, 500)


def run(*command, **options):
    return subprocess.run([str(c) for c in command], check=True, capture_output=True, **options)


def xdo(*arguments):
    run("xdotool", *arguments)


def wine(*arguments):
    return subprocess.Popen(["wine", *map(str, arguments)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def until(condition, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


class Shot:
    """The whole screen as the X server shows it, as RGB bytes."""

    def __init__(self):
        self.rgb = run("import", "-window", "root", "-depth", "8", "rgb:-").stdout

    def pixel(self, x, y):
        i = (y * WIDTH + x) * 3
        return int.from_bytes(self.rgb[i:i + 3], "big")

    def area(self, left, top, width, height):
        return b"".join(self.rgb[(y * WIDTH + left) * 3:(y * WIDTH + left + width) * 3] for y in range(top, top + height))


def image_rgb(path):
    return run("convert", path, "-depth", "8", "rgb:-").stdout


def frame(left, top, right, bottom, step=25):
    """Points along the four edges of a frame."""
    return ([(x, y) for x in range(left, right, step) for y in (top, bottom)] +
            [(x, y) for y in range(top, bottom, step) for x in (left, right)])


def window_of(name):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True, text=True)
    return result.stdout.split()[0] if result.stdout.split() else None


def geometry(window):
    values = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", window, text=True).stdout.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def images():
    return sorted(glob.glob(os.path.join(FOLDER, datetime.date.today().strftime("%Y%m%d"), "*.bmp")))


def settings_dialogs():
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Glimra - "], capture_output=True, text=True)
    return len(result.stdout.split())


def double_click_ms():
    """The prefix's double-click time; Wine's own when the user set none."""
    result = subprocess.run(["wine", "reg", "query", r"HKCU\Control Panel\Mouse", "/v", "DoubleClickSpeed"],
                            capture_output=True, text=True)
    values = [line.split()[-1] for line in result.stdout.splitlines() if "DoubleClickSpeed" in line]
    return int(values[0]) if values else 500


def windows_seen():
    """Each X window of a program, with its place and whether it is on the screen."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    lines = []
    for line in tree.splitlines():
        if ".exe" not in line:
            continue
        info = subprocess.run(["xwininfo", "-id", line.split()[0]], capture_output=True, text=True).stdout
        state = [l.split(":")[1].strip() for l in info.splitlines() if "Map State" in l]
        lines.append("%s  %s" % (line.strip(), state[0] if state else "gone"))
    return "\n".join(lines) + "\n"


def red_at(shot, points):
    """The points of the list that do not show the red mark."""
    return [p for p in points if shot.pixel(*p) != RED]


class Journey(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.programs = [wine("winemine")]
        run("wine", os.path.join(BUILD, "place_window.exe"), "WineMine", *GAME_AT, 0, 0)
        cls.game = geometry(until(lambda: window_of("^WineMine$") or window_of("Minesweeper")))
        # The game as it looks alone and active, which is how the hidden capture pictures it.
        x, y, _, _ = cls.game
        xdo("mousemove", x + 40, y + 8, "click", 1)
        time.sleep(1)
        cls.game_alone = Shot().area(*cls.game)
        cls.programs.append(wine("regedit"))
        run("wine", os.path.join(BUILD, "place_window.exe"), "RegEdit_RegEdit", *REGEDIT)
        cls.programs.append(wine("notepad"))
        run("wine", os.path.join(BUILD, "place_window.exe"), "Notepad", *NOTEPAD)
        os.makedirs(FOLDER, exist_ok=True)
        # F8 writes the screen at once; Escape alone is no hotkey, so it still ends the captures below.
        ini = ("[App]\r\nPositionX=%d\r\nPositionY=%d\r\n[Settings]\r\nClipBoard=2\r\nDeleteImage=1\r\n"
               "HotKeyRectangle=27\r\nHotKeyDesktop=119\r\n" % TOOLBAR)
        with open(os.path.join(FOLDER, "Glimra.ini"), "wb") as f:
            f.write(b"\xff\xfe" + ini.encode("utf-16-le"))
        exe = run("winepath", "-w", os.path.join(BUILD, "Glimra.exe"), text=True).stdout.strip()
        cls.programs.append(wine("cmd", "/c", "set TMP=C:\\%s&& set TEMP=C:\\%s&& %s" % (TEMP, TEMP, exe)))
        cls.toolbar = until(lambda: window_of("^Glimra$"), 20)
        time.sleep(1)

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wine", "taskkill", "/f", "/im", "regedit.exe", "/im", "notepad.exe", "/im", "winemine.exe"],
                       capture_output=True)
        subprocess.run(["wine", "taskkill", "/im", "Glimra.exe"], capture_output=True)
        for program in cls.programs:
            program.wait(20)

    def click_button(self, i):
        x, y, _, _ = geometry(self.toolbar)
        xdo("mousemove", x + 25 + 45 * i, y + 49, "click", 1)

    def cross_hair_everywhere(self, x, y):
        """Moves to (x, y) until the overlay's cross-hair shows, then the points of its lines that
        another window hides. Read from a second screenshot: the first may catch the overlay's first
        paint before all of it has reached the screen (seen once: the line missing below a row)."""
        def shown():
            xdo("mousemove", x, y + 1, "mousemove", x, y)
            return Shot().pixel(1900, y) == RED
        self.assertTrue(until(shown), "no cross-hair")
        return red_at(Shot(), [(c, y) for c in range(5, 1915, 37)] + [(x, r) for r in range(5, 1075, 37)])

    def toolbar_back(self):
        return until(lambda: window_of("^Glimra$"))

    def rectangle_marks_show_above_every_program_and_the_file_is_the_frozen_screen(self):
        # From above the captions of the game and the editor, which must look as they did.
        left, top, right, bottom = 320, 290, 900, 700
        before = Shot()
        written = len(images())
        self.click_button(0)
        self.assertEqual(self.cross_hair_everywhere(left, top), [])
        xdo("mousedown", 1, "mousemove", 500, 500, "mousemove", right, bottom)
        self.assertTrue(until(lambda: red_at(Shot(), frame(left, top, right, bottom)) == []))
        xdo("mouseup", 1)
        self.assertTrue(until(lambda: len(images()) == written + 1))
        self.assertIsNotNone(self.toolbar_back())
        self.assertEqual(image_rgb(images()[-1]), before.area(left, top, right - left + 1, bottom - top + 1))

    def window_outline_shows_round_the_window_under_the_cursor(self):
        left, top, width, height = NOTEPAD
        edges = frame(left, top, left + width, top + height)  # the far edges lie just outside the window
        written = len(images())
        self.click_button(1)
        def outlined():
            xdo("mousemove", left + 300, top + 301, "mousemove", left + 300, top + 300)
            return red_at(Shot(), edges) == []
        self.assertTrue(until(outlined))
        xdo("key", "Escape")
        self.assertIsNotNone(self.toolbar_back())
        self.assertEqual(len(images()), written)

    def covered_game_outlined(self):
        x, y, width, height = self.game
        xdo("mousemove", x + 20, y + height - 21, "mousemove", x + 20, y + height - 20)
        return Shot().pixel(x, y + height // 2) == RED

    def hidden_capture_outputs_the_covered_game_alone(self):
        written = len(images())
        self.click_button(2)
        self.assertTrue(until(self.covered_game_outlined))
        xdo("click", 1)
        self.assertTrue(until(lambda: len(images()) == written + 1))
        self.assertIsNotNone(self.toolbar_back())
        self.assertEqual(image_rgb(images()[-1]), self.game_alone)

    def desktop_capture_holds_the_editor_where_the_toolbar_stood(self, keys):
        x, y, width, height = geometry(self.toolbar)
        self.assertEqual((width, height), TOOLBAR_SIZE)
        written = len(images())
        if keys:
            # Let go at once: a release that comes after the toolbar left the screen has no X window of
            # Wine's to reach, and Wine would take the next press for a repeat of a held key. One lost
            # so by the round before is let go first.
            xdo("search", "--name", "^Glimra$", "windowfocus", "--sync", "keyup", keys, "key", "--delay", 0, keys)
        else:
            self.click_button(3)
        self.assertTrue(until(lambda: len(images()) == written + 1))
        self.assertIsNotNone(self.toolbar_back())
        rgb = image_rgb(images()[-1])
        rows = [rgb[((y + r) * WIDTH + x) * 3:((y + r) * WIDTH + x + width) * 3] for r in range(height)]
        self.assertEqual([r for r, row in enumerate(rows) if row != b"\xff" * (width * 3)], [])

    def double_click_starts_one_capture(self, button, pause_ms):
        """A double click on a command button leaves what its first click brought up working, and
        the second click picks nothing."""
        written = len(images())
        x, y, _, _ = geometry(self.toolbar)
        xdo("mousemove", x + 25 + 45 * button, y + 49, "click", "--repeat", 2, "--delay", pause_ms, 1)
        if button == 0:
            # The overlay stays up with nothing picked; a drag then captures as always.
            self.assertEqual(self.cross_hair_everywhere(600, 600), [])
            self.assertEqual(len(images()), written)
            xdo("mousedown", 1, "mousemove", 650, 620, "mousemove", 700, 640, "mouseup", 1)
            self.assertTrue(until(lambda: len(images()) == written + 1))
            width, height = map(int, run("identify", "-format", "%w %h", images()[-1], text=True).stdout.split())
            self.assertEqual((width, height), (101, 41))
        elif button == 1:
            left, top, width, height = NOTEPAD
            edges = frame(left, top, left + width, top + height)
            def outlined():
                xdo("mousemove", left + 300, top + 301, "mousemove", left + 300, top + 300)
                return red_at(Shot(), edges) == []
            self.assertTrue(until(outlined))
            self.assertEqual(len(images()), written)
            xdo("key", "Escape")
        elif button == 2:
            # After every window was raised to be pictured, the keyboard is the overlay's again.
            self.assertTrue(until(self.covered_game_outlined))
            self.assertEqual(len(images()), written)
            xdo("key", "Escape")
        elif button == 3:
            self.assertTrue(until(lambda: len(images()) == written + 1))
            time.sleep(1)
            self.assertEqual(len(images()), written + 1)
        else:
            self.assertTrue(until(lambda: settings_dialogs() == 1))
            time.sleep(0.5)
            self.assertEqual(settings_dialogs(), 1)
            # Through the X server's input: a key chained to a search is sent to the window alone,
            # and its release, once the dialog is gone, would reach no window of Wine's.
            xdo("search", "--onlyvisible", "--name", "^Glimra - ", "windowfocus", "--sync")
            xdo("key", "Escape")
        self.assertTrue(until(lambda: window_of("^Glimra$") == self.toolbar))

    def held_hotkey_starts_one_capture(self):
        written = len(images())
        # Pressed and let go through the X server's own input, which repeats a key held down.
        xdo("search", "--name", "^Glimra$", "windowfocus", "--sync")
        xdo("keydown", "F8")
        time.sleep(2)
        xdo("keyup", "F8")
        self.assertTrue(until(lambda: len(images()) >= written + 1))
        time.sleep(1)
        self.assertEqual(len(images()), written + 1)
        self.assertIsNotNone(self.toolbar_back())

    def key_ends_the_capture_with_nothing_written(self, keys):
        written = len(images())
        self.click_button(0)
        self.assertEqual(self.cross_hair_everywhere(1000, 100), [])
        xdo("key", keys)
        self.assertTrue(until(lambda: window_of("^Glimra$") and Shot().pixel(1900, 100) != RED))
        self.assertEqual(len(images()), written)

    def pen_toggle(self, on):
        """Clicks the mark-up toggle, which the settings file then holds as asked."""
        def stored():
            with open(os.path.join(FOLDER, "Glimra.ini"), "rb") as f:
                return "\n105=1" in f.read().decode("utf-16").replace("\r", "")
        x, y, _, _ = geometry(self.toolbar)
        xdo("mousemove", x + 121, y + 13, "click", 1)
        self.assertTrue(until(lambda: stored() == on), "the mark-up toggle did not switch")

    def test_a_capture_marked_up_is_written_with_the_rectangle_dragged_on_it(self):
        # The pick of the editor's white page opens about where it was picked, a little lower.
        left, top, right, bottom = 1200, 250, 1500, 450
        written = len(images())
        self.pen_toggle(True)
        try:
            self.click_button(0)
            self.assertEqual(self.cross_hair_everywhere(left, top), [])
            xdo("mousedown", 1, "mousemove", 1300, 300, "mousemove", right, bottom, "mouseup", 1)
            # The toolbar stays hidden meanwhile: the visible window of that name is the mark-up window.
            self.assertTrue(until(lambda: window_of("^Glimra$") not in (None, self.toolbar)), "no mark-up window")
            time.sleep(0.5)
            xdo("key", "r", "mousemove", 1250, 330, "mousedown", 1, "mousemove", 1300, 360, "mousemove", 1400, 410,
                "mouseup", 1, "key", "Return")
            self.assertTrue(until(lambda: len(images()) == written + 1))
        finally:
            # The toolbar back, with the editor the window covered still behind it: the click must reach it.
            self.assertTrue(until(lambda: window_of("^Glimra$") == self.toolbar))
            self.pen_toggle(False)
        path = images()[-1]
        width, height = map(int, run("identify", "-format", "%w %h", path, text=True).stdout.split())
        self.assertEqual((width, height), (right - left + 1, bottom - top + 1))
        rgb = image_rgb(path)
        red = [(i // 3 % width, i // 3 // width) for i in range(0, len(rgb), 3) if rgb[i:i + 3] == b"\xff\x00\x00"]
        xs, ys = [x for x, _ in red], [y for _, y in red]
        # 150 x 80 between the pixels dragged, and a pixel of the 3-pixel stroke outside each.
        self.assertEqual((max(xs) - min(xs) + 1, max(ys) - min(ys) + 1), (153, 83))

    def test_s_on_the_editor_scrolls_its_text_control_not_its_frame(self):
        left, top, width, height = NOTEPAD
        written = len(images())
        self.click_button(1)
        def outlined():
            xdo("mousemove", left + 300, top + 301, "mousemove", left + 300, top + 300)
            return red_at(Shot(), frame(left, top, left + width, top + height)) == []
        self.assertTrue(until(outlined))
        # Held, S takes the outline off the frame's corner to the text control inside it.
        xdo("keydown", "s")
        self.assertTrue(until(lambda: Shot().pixel(left, top) != RED))
        xdo("keyup", "s")
        # Enter on the window beside the area, while it is there: the empty page may end it first.
        control = until(lambda: window_of("^(スクロールキャプチャ|Scrolling capture)$"))
        self.assertIsNotNone(control, "no window beside the area")
        subprocess.run(["xdotool", "windowfocus", "--sync", str(control), "key", "Return"], capture_output=True)
        self.assertTrue(until(lambda: len(images()) == written + 1))
        self.assertIsNotNone(self.toolbar_back())
        shot_width, shot_height = map(int, run("identify", "-format", "%w %h", images()[-1], text=True).stdout.split())
        self.assertLess(shot_width, width)
        self.assertLess(shot_height, height)

    def test_a_hotkey_capture_leaves_the_buttons_hint_out_of_the_image(self):
        # The desktop button's hint up under the cursor as F8 freezes the screen.
        x, y, _, _ = geometry(self.toolbar)
        x, y = x + 25 + 45 * 3, y + 49
        written = len(images())
        xdo("search", "--name", "^Glimra$", "windowfocus", "--sync", "mousemove", x, y)
        def hint_below_the_cursor():
            shot = Shot()
            return next(((x + 3, y + d) for d in range(10, 60) if shot.pixel(x + 3, y + d) == HINT), None)
        at = until(hint_below_the_cursor)
        self.assertIsNotNone(at, "no hint")
        xdo("keyup", "F8", "key", "F8")  # a release lost before (see above) let go first
        self.assertTrue(until(lambda: len(images()) == written + 1))
        self.assertIsNotNone(self.toolbar_back())
        xdo("mousemove", 10, 10)
        i = (at[1] * WIDTH + at[0]) * 3
        self.assertNotEqual(int.from_bytes(image_rgb(images()[-1])[i:i + 3], "big"), HINT)

    def test_every_round_of_captures_shows_and_writes_what_a_person_picked(self):
        steps = {"rectangle": self.rectangle_marks_show_above_every_program_and_the_file_is_the_frozen_screen,
                 "window outline": self.window_outline_shows_round_the_window_under_the_cursor,
                 "hidden window": self.hidden_capture_outputs_the_covered_game_alone,
                 "Escape": lambda: self.key_ends_the_capture_with_nothing_written("Escape"),
                 "Alt+F4": lambda: self.key_ends_the_capture_with_nothing_written("alt+F4"),
                 "desktop by click": lambda: self.desktop_capture_holds_the_editor_where_the_toolbar_stood(None),
                 "desktop by key": lambda: self.desktop_capture_holds_the_editor_where_the_toolbar_stood("F8"),
                 "desktop by a held key": self.held_hotkey_starts_one_capture}
        # Quick, the second click comes while the toolbar leaves the screen; as slow as a double
        # click can be, when the overlay is up.
        for pause in (60, double_click_ms() - 50):
            for button, name in ((0, "rectangle"), (1, "window"), (2, "hidden window"), (3, "desktop"), (4, "settings")):
                steps["double click on %s at %d ms" % (name, pause)] = (
                    lambda button=button, pause=pause: self.double_click_starts_one_capture(button, pause))
        for round in range(ROUNDS):
            for name, step in steps.items():
                with self.subTest(round=round, step=name):
                    try:
                        step()
                    except AssertionError:
                        # What the screen showed and which windows stood where, for whoever reads the failure.
                        shot = os.path.join(BUILD, "journey-%d-%s" % (round, name))
                        run("import", "-window", "root", shot + ".png")
                        with open(shot + ".txt", "w") as f:
                            f.write(windows_seen())
                        raise


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
