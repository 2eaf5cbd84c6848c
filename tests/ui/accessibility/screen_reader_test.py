"""What a screen reader hears from Shiftmeter, through the accessibility bus (AT-SPI).

Usage: screen_reader_test.py PROGRAM. Run on an X display inside a session D-Bus of its own
(on_x_display.sh gives it both); starts the accessibility bus, the program, and listens as a
screen reader does while it types into the needed grid.
"""

import os
import subprocess
import sys
import tempfile
import time

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
TAB, BACKSPACE = 0xFF09, 0xFF08


def main(program):
    bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"])
    time.sleep(1)
    import pyatspi
    from gi.repository import GLib

    heard = []
    focused = []

    # A toolkit that can announce a text says the verdict that way; an older one shows its
    # notification again. A screen reader speaks either.
    def on_event(event):
        if event.type.startswith("object:announcement"):
            heard.append(str(event.any_data))
        elif event.type.startswith("object:state-changed:showing") and event.detail1:
            if event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                heard.append(event.source.name)
        elif event.type.startswith("object:state-changed:focused") and event.detail1:
            focused.append((event.source.getRole(), event.source.name))

    pyatspi.Registry.registerEventListener(
        on_event, "object:announcement", "object:state-changed:showing",
        "object:state-changed:focused")
    context = GLib.MainContext.default()

    def pump(seconds):
        end = time.time() + seconds
        while time.time() < end:
            if not context.iteration(False):
                time.sleep(0.01)

    # The program hands web addresses to xdg-open; this one only writes them down.
    scratch = tempfile.mkdtemp()
    opened = os.path.join(scratch, "opened")
    opener = os.path.join(scratch, "xdg-open")
    with open(opener, "w") as script:
        script.write('#!/bin/sh\necho "$1" >> "%s"\n' % opened)
    os.chmod(opener, 0o755)
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       PATH=scratch + os.pathsep + os.environ["PATH"])
    app_process = subprocess.Popen([program], env=environment)
    failures = []

    def expect(condition, what):
        print(("ok   " if condition else "FAIL ") + what, flush=True)
        if not condition:
            failures.append(what)

    try:
        application = None
        for _ in range(100):
            pump(0.1)
            desktop = pyatspi.Registry.getDesktop(0)
            found = [a for a in desktop if a is not None and a.name == os.path.basename(program)]
            if found and found[0].childCount > 0:
                application = found[0]
                break
        expect(application is not None, "the program is on the accessibility bus")
        if application is None:
            return 1
        window = application[0]
        expect(window.getRole() == pyatspi.ROLE_FRAME, "the main window is a frame")
        pump(1)

        def keys(*codes, wait=0.7):
            heard.clear()
            for code in codes:
                pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_SYM)
                pump(0.1)
            pump(wait)
            return list(heard)

        # Column 0 to the "#" column of row 1: nothing changes, nothing is said.
        expect(keys(TAB) == [], "an unchanged move announces nothing")
        focused.clear()
        keys(ord("x"), wait=0.3)
        expect((pyatspi.ROLE_TEXT, "#, row 1") in focused,
               "the editor is named after its column and row: %s" % focused)
        expect(keys(TAB) == ["ERROR"], "an unreadable entry announces ERROR once")
        expect(keys(TAB) == [], "a refused move that changes nothing announces nothing")
        expect(keys(BACKSPACE, ord("2"), TAB) == ["You have 0 extra man-hours"],
               "the verdict read again is announced once")
        expect(keys(TAB) == [], "a further unchanged move announces nothing")

        links = pyatspi.findAllDescendants(window, lambda o: o.getRole() == pyatspi.ROLE_LINK)
        expect(len(links) == 5, "the logo and four labels are links: %d" % len(links))
        for link in links:
            action = link.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            expect(names == ["Press"], "link %r can be pressed: %s" % (link.name, names))
        links[0].queryAction().doAction(0)
        pump(1.5)
        pages = open(opened).read().split() if os.path.exists(opened) else []
        expect(pages == ["https://www.rostavel.com"], "pressing a link opens its page: %s" % pages)

        help_button = pyatspi.findDescendant(
            window, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name == "Help")
        help_button.queryAction().doAction(0)
        pump(1.5)
        help_windows = [w for w in application if w is not None and w.name == "Help"]
        expect(len(help_windows) == 1 and help_windows[0].getRole() == pyatspi.ROLE_FRAME,
               "the help window is a frame of its own")
        page = pyatspi.findDescendant(
            help_windows[0], lambda o: o.getRole() == pyatspi.ROLE_DOCUMENT_FRAME)
        text = page.queryText().getText(0, -1) if page is not None else ""
        expect(page is not None and page.name != "" and len(text) > 100,
               "the help page is a named document")
        expect("\ufdd0" not in text and "\ufdd1" not in text,
               "the page's text holds no frame markers")
        return 1 if failures else 0
    finally:
        app_process.terminate()
        app_process.wait()
        bus.terminate()
        bus.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
