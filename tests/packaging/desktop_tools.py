#!/usr/bin/env python3
"""Small desktop chores for the installed-folder check.

  desktop_tools.py close WINDOW_ID    asks a window to close, as a window manager's close button
                                      does (WM_DELETE_WINDOW), so the program runs its own
                                      close path instead of being killed
  desktop_tools.py exec DESKTOP_FILE  prints the command line of a .desktop file's Exec key,
                                      one argument a line, with %k replaced by the file's path
"""
import ctypes
import os
import sys


def close_window(window_id):
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window_id
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    if not x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event)):
        sys.exit("the close request could not be sent")
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def unescape_value(value):
    # The string-level escapes of a desktop entry value.
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}.get(
                value[i + 1], "\\" + value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def split_exec(command, desktop_file):
    # The quoting rules of the Exec key: double-quoted arguments with \" \` \$ \\ inside.
    args, current, quoted, started, i = [], [], False, False, 0
    while i < len(command):
        c = command[i]
        if quoted:
            if c == "\\" and i + 1 < len(command) and command[i + 1] in '"`$\\':
                current.append(command[i + 1])
                i += 1
            elif c == '"':
                quoted = False
            else:
                current.append(c)
        elif c == '"':
            quoted, started = True, True
        elif c == " ":
            if started:
                args.append("".join(current))
            current, started = [], False
        else:
            current.append(c)
            started = True
        i += 1
    if quoted:
        sys.exit("unterminated quote in Exec")
    if started:
        args.append("".join(current))
    result = []
    for arg in args:
        if arg == "%k":
            result.append(os.path.abspath(desktop_file))
        elif arg in ("%f", "%F", "%u", "%U", "%i", "%c"):
            continue  # no file, icon or caption is passed
        else:
            result.append(arg.replace("%%", "%"))
    return result


def exec_line(desktop_file):
    with open(desktop_file, encoding="utf-8") as f:
        in_entry = False
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                in_entry = line == "[Desktop Entry]"
            elif in_entry and line.startswith("Exec="):
                return split_exec(unescape_value(line[len("Exec="):]), desktop_file)
    sys.exit("no Exec key in " + desktop_file)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "close":
        close_window(int(sys.argv[2], 0))
    elif len(sys.argv) == 3 and sys.argv[1] == "exec":
        for arg in exec_line(sys.argv[2]):
            print(arg)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
