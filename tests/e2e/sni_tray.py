#!/usr/bin/env python3
"""The calls a D-Bus tray makes on an icon: a click on it, or a click on an item of its menu.

usage: sni_tray.py activate NAME | click NAME LABEL"""
import sys

import dbus

ITEM = 'org.kde.StatusNotifierItem'


def labelled(layout, label):
    for child in layout[2]:
        if child[1].get('label') == label:
            yield child[0]
        yield from labelled(child, label)


item = dbus.SessionBus().get_object(sys.argv[2], '/StatusNotifierItem')
if sys.argv[1] == 'activate':
    item.Activate(0, 0, dbus_interface=ITEM)
else:
    path = item.Get(ITEM, 'Menu', dbus_interface=dbus.PROPERTIES_IFACE)
    menu = dbus.Interface(dbus.SessionBus().get_object(sys.argv[2], path), 'com.canonical.dbusmenu')
    ids = list(labelled(menu.GetLayout(0, -1, dbus.Array([], signature='s'))[1], sys.argv[3]))
    if len(ids) != 1:
        sys.exit(f'no single menu item "{sys.argv[3]}"')
    menu.Event(ids[0], 'clicked', dbus.String('', variant_level=1), dbus.UInt32(0))
