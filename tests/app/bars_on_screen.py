"""The property bars in the real program: on a copy of the welcome sample the circle is
clicked on the screen, "Smooth Bevel" and "Drop Shadow" are chosen in the bevel and
effect bars with the mouse and keyboard, and File > Save writes the copy. The saved
project has both on the circle, and a render of it shows the shadow beside the circle.
Keeps a screen grab of the window with the changed circle."""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_session import MENU_ROLES, do_action, fail, find, start_program, wait_for

PROGRAM, SAMPLE, ARTEFACTS, CLI = sys.argv[1:5]
COMBO_ROLES = (pyatspi.ROLE_COMBO_BOX,)
CIRCLE = (0x2E, 0x8B, 0x57)
PANEL = (0xE8, 0xF0, 0xE0)


def screen():
    """The screen as (width, height, rows of RGB bytes)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def centre_of(colour):
    width, height, pixels = screen()
    xs, ys = [], []
    wanted = bytes(colour)
    for y in range(0, height, 2):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        at = row.find(wanted)
        while at >= 0:
            if at % 3 == 0:
                xs.append(at // 3)
                ys.append(y)
            at = row.find(wanted, at + 1)
    if not xs:
        return None
    return (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2


def click(x, y):
    pyatspi.Registry.generateMouseEvent(x, y, pyatspi.MOUSE_ABS)
    time.sleep(0.2)
    pyatspi.Registry.generateMouseEvent(x, y, pyatspi.MOUSE_B1C)
    time.sleep(0.5)


def key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    time.sleep(0.3)


def choose_next_item(app, name):
    """Opens the list showing `name` with a click and takes the item below it (a list is
    known by the item it shows)."""
    combo = wait_for("the %s list" % name, lambda: find(app, name, COMBO_ROLES))
    box = combo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    click(box.x + box.width // 2, box.y + box.height // 2)
    key(0xFF54)  # Down
    key(0xFF0D)  # Return
    time.sleep(0.5)


def pixel_of_bmp(path, x, y):
    data = open(path, "rb").read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    row_bytes = (width * 3 + 3) // 4 * 4
    row = height - 1 - y if height > 0 else y
    at = offset + row * row_bytes + x * 3
    b, g, r = data[at], data[at + 1], data[at + 2]
    return r, g, b


scratch = tempfile.mkdtemp()
copy = os.path.join(scratch, "copy.plv")
shutil.copyfile(SAMPLE, copy)
process, app = start_program([PROGRAM, copy])
try:
    circle = wait_for("the sample's circle on the screen", lambda: centre_of(CIRCLE))
    time.sleep(2)
    circle = centre_of(CIRCLE)
    print("circle at", circle, flush=True)
    click(*circle)
    choose_next_item(app, "No Bevel")   # -> "Smooth Bevel"
    choose_next_item(app, "No Effect")  # -> "Drop Shadow"
    time.sleep(1)
    subprocess.run(["import", "-window", "root", os.path.join(ARTEFACTS, "bars-window.png")], check=False)

    before = os.path.getmtime(copy)
    top = wait_for("menu File", lambda: find(app, "File", MENU_ROLES + (pyatspi.ROLE_MENU,)))
    do_action(top, ("Show Menu", "showMenu", "Press", "click"))
    time.sleep(0.5)
    save = wait_for("File > Save", lambda: find(top, "Save", MENU_ROLES))
    do_action(save, ("Press", "press", "click"))
    wait_for("the saved copy", lambda: os.path.getmtime(copy) != before or None, timeout=30)
    time.sleep(1)
finally:
    process.kill()
    process.wait()

info = json.loads(subprocess.run([CLI, "info", "--json", copy], check=True, capture_output=True).stdout)
saved = [o for o in info["objects"] if o.get("id") == "WELCOMECIRCL"][0]
print("saved circle: bevelKind %s effectKind %s softness %s distance %s" % (
    saved["bevelKind"], saved["effectKind"], saved["effectSoftness"], saved["effectDistance"]), flush=True)
if saved["bevelKind"] != 1:
    fail("the circle was saved without the smooth bevel")
if saved["effectKind"] != 1 or saved["effectSoftness"] != 2 or saved["effectDistance"] != 3:
    fail("the circle was saved without the drop shadow's preset")

# The shadow falls down and right of the circle (centre (100, 110), radius 60), where the
# sample shows the plain panel.
x, y = 100 + 46, 110 + 46
pixels = []
for name, source in (("sample", SAMPLE), ("saved", copy)):
    render = os.path.join(scratch, name + ".bmp")
    subprocess.run([CLI, "render", source, "-o", render], check=True, capture_output=True)
    pixels.append(pixel_of_bmp(render, x, y))
    print("%s render at (%d, %d): %d %d %d" % ((name, x, y) + pixels[-1]), flush=True)
if pixels[0] != PANEL:
    fail("the sample has changed: the test's shadow point is not on the plain panel")
if sum(pixels[1]) > sum(PANEL) - 30:
    fail("no shadow beside the circle in the render of the saved file")
shutil.rmtree(scratch, ignore_errors=True)
print("PASS", flush=True)
