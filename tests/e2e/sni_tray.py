#!/usr/bin/env python3
"""A D-Bus tray for tests, and the calls a tray makes on its icons.

usage: sni_tray.py watch | activate NAME | click NAME LABEL
("watch" runs the tray and prints "ready", then "item NAME" per icon registered)"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = 'org.kde.StatusNotifierWatcher'
ITEM = 'org.kde.StatusNotifierItem'


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.items = []
        dbus.service.Object.__init__(self, dbus.service.BusName(WATCHER, bus),
                                     '/StatusNotifierWatcher')

    @dbus.service.method(WATCHER, in_signature='s', sender_keyword='sender')
    def RegisterStatusNotifierItem(self, service, sender=None):
        name = sender if service.startswith('/') else service
        if name not in self.items:
            self.items.append(name)
            print('item', name, flush=True)
            self.StatusNotifierItemRegistered(name)

    @dbus.service.method(WATCHER, in_signature='s')
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature='s')
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        return {'RegisteredStatusNotifierItems': dbus.Array(self.items, signature='s'),
                'IsStatusNotifierHostRegistered': True,
                'ProtocolVersion': dbus.Int32(0)}


def labelled(layout, label):
    for child in layout[2]:
        if child[1].get('label') == label:
            yield child[0]
        yield from labelled(child, label)


if sys.argv[1] == 'watch':
    DBusGMainLoop(set_as_default=True)
    Watcher(dbus.SessionBus()).StatusNotifierHostRegistered()
    print('ready', flush=True)
    GLib.MainLoop().run()
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
