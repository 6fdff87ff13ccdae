#!/usr/bin/python3
"""Acts on the running window as assistive technology and a window manager do.

Usage: desktop-client.py name | press CAPTION | step-up | close X_WINDOW_ID
  name        prints the text of the name box, read over the AT-SPI bus
  press       presses the push button of that caption through its accessible action
  step-up     increases the length spin box through its accessible action and prints the
              value that the spin box then reports in its value-change event
  close       asks the X11 window to close, as its close box does (WM_DELETE_WINDOW)
"""
import ctypes
import sys

TITLE = "カナツムギ"


def application():
    import pyatspi

    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == TITLE:
            return app
    sys.exit(f"no accessible application named {TITLE}")


def find(node, role, name):
    if node.getRoleName() == role and node.name == name:
        return node
    for child in node:
        if child is not None:
            found = find(child, role, name)
            if found is not None:
                return found
    return None


def control(role, name):
    found = find(application(), role, name)
    if found is None:
        sys.exit(f"no {role} named {name}")
    return found


def press(node, action_name):
    actions = node.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) == action_name:
            actions.doAction(index)
            return
    sys.exit(f"{node.name} has no action {action_name}")


def step_up():
    import pyatspi
    from gi.repository import GLib

    spin = control("spin button", "文字数")
    reported = []

    def on_value(event):
        if event.source.name == "文字数":
            reported.append(event.source.queryValue().currentValue)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_value, "object:property-change:accessible-value")
    GLib.timeout_add(100, lambda: press(spin, "Increase") or False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    if not reported:
        sys.exit("the spin box reported no value change")
    print(int(reported[0]))


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 16)]


def close(window):
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the X display")
    message = ClientMessage(type=33, send_event=1, display=display, window=window, format=32,
                            message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
    message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(message))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def main():
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "name":
        print(control("text", "名前").queryText().getText(0, -1))
    elif command == "press" and len(sys.argv) == 3:
        press(control("push button", sys.argv[2]), "Press")
    elif command == "step-up":
        step_up()
    elif command == "close" and len(sys.argv) == 3:
        close(int(sys.argv[2], 0))
    else:
        sys.exit(__doc__)


main()
