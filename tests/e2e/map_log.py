#!/usr/bin/python3
"""Prints "ready" once the watch is in place, then "map PID ID OVERRIDE_REDIRECT NAME" (tab
between) for every top-level window mapped on $DISPLAY, so that a test can tell which windows a
program ever showed, even for a moment."""
from Xlib import X, Xatom, display, error

screen = display.Display()
root = screen.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
screen.sync()
print('ready', flush=True)
PID, NAME, UTF8 = (screen.intern_atom(name) for name in ('_NET_WM_PID', '_NET_WM_NAME',
                                                          'UTF8_STRING'))
while True:
    event = screen.next_event()
    if event.type != X.MapNotify or event.event != root:
        continue
    try:
        pid = event.window.get_full_property(PID, Xatom.CARDINAL)
        name = event.window.get_full_property(NAME, UTF8) or \
            event.window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
    except error.XError:
        continue  # gone already
    value = name.value if name else b''
    print('map', pid.value[0] if pid else 0, hex(event.window.id), int(event.override),
          value.decode() if isinstance(value, bytes) else value, sep='\t', flush=True)
