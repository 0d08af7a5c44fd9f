"""What the tests that drive the program through its accessibility tree share: waiting for
things to appear, finding them, pressing them, and starting the program so that a slow or
failed start of the bridge is retried instead of failing the test."""
import subprocess
import sys
import tempfile
import time

import pyatspi

MENU_ROLES = (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM)
BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX)


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def poll(find, timeout):
    """What `find` returns once it is true, or None after `timeout` seconds."""
    end = time.time() + timeout
    while time.time() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while the program starts
            found = None
        if found:
            return found
        time.sleep(0.3)
    return None


# A loaded machine can take well over 30 seconds to start the program and its bridge.
def wait_for(what, find, timeout=90.0):
    found = poll(find, timeout)
    if not found:
        fail("timed out waiting for " + what)
    return found


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name and app.name.lower() == "lumiverdant":
            return app
    return None


def find(root, name, roles):
    return pyatspi.findDescendant(root, lambda a: a is not None and a.name == name and a.getRole() in roles)


def do_action(acc, preferred=("Press", "press", "click", "Toggle", "toggle")):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in preferred:
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    if not names:
        fail("%s offers no action" % acc.name)
    action.doAction(0)


def registry_ready():
    """True once the accessibility registry answers (it is started on first use)."""
    return pyatspi.Registry.getDesktop(0).childCount >= 0


def start_program(argv, attempts=3, timeout=60.0):
    """Starts the program and returns (process, its accessible application). The bus and
    the program's bridge sometimes miss each other on a busy machine, and the program can
    lose the race for a just-started X server; each start that does not show the program
    on the bus in `timeout` seconds is ended and tried again."""
    wait_for("the accessibility registry", registry_ready, timeout=30)
    for attempt in range(1, attempts + 1):
        log = tempfile.TemporaryFile()
        process = subprocess.Popen(argv, stderr=log)
        app = poll(lambda: application() or (process.poll() is not None and "ended"), timeout)
        if app and app != "ended":
            return process, app
        if process.poll() is None:
            process.kill()
        process.wait()
        log.seek(0)
        said = log.read().decode(errors="replace").strip().splitlines()[-5:]
        print("start %d of %d: the program %s; it said: %s" % (
            attempt, attempts, "ended (%d)" % process.returncode if app == "ended"
            else "did not show on the accessibility bus", " | ".join(said) or "nothing"),
            flush=True)
        time.sleep(2)
    fail("the program did not come up on the accessibility bus in %d starts" % attempts)

