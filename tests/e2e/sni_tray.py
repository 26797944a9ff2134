#!/usr/bin/env python3
"""A D-Bus tray (StatusNotifierWatcher with its own host) for tests, and the calls a tray makes
on the icons it shows.

usage: sni_tray.py watch          runs the tray; prints "ready", then "item NAME" per icon
       sni_tray.py activate NAME  a click on the icon
       sni_tray.py menu NAME      prints the icon's menu, one item a line:
                                  depth, label, enabled, type, toggle-state
       sni_tray.py click NAME LABEL  chooses the menu item of that label"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = 'org.kde.StatusNotifierWatcher'
ITEM = 'org.kde.StatusNotifierItem'
MENU = 'com.canonical.dbusmenu'


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

    # Its properties are declared as well, as desktops' watchers do: Qt reads them that way.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature='s',
                         path_keyword='object_path', connection_keyword='connection')
    def Introspect(self, object_path, connection):
        xml = dbus.service.Object.Introspect(self, object_path, connection)
        head = f'<interface name="{WATCHER}">'
        return xml.replace(head, head + ''.join(
            f'<property name="{name}" type="{kind}" access="read"/>' for name, kind in (
                ('RegisteredStatusNotifierItems', 'as'),
                ('IsStatusNotifierHostRegistered', 'b'), ('ProtocolVersion', 'i'))))

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        return {'RegisteredStatusNotifierItems': dbus.Array(self.items, signature='s'),
                'IsStatusNotifierHostRegistered': True,
                'ProtocolVersion': dbus.Int32(0)}


def menu_of(bus, name):
    item = bus.get_object(name, '/StatusNotifierItem')
    path = item.Get(ITEM, 'Menu', dbus_interface=dbus.PROPERTIES_IFACE)
    return dbus.Interface(bus.get_object(name, path), MENU)


def items(layout, depth=0):
    for child in layout[2]:
        props = child[1]
        yield (child[0], depth, str(props.get('label', '')), bool(props.get('enabled', True)),
               str(props.get('type', 'standard')), int(props.get('toggle-state', -1)))
        yield from items(child, depth + 1)


def main():
    command = sys.argv[1]
    if command == 'watch':
        DBusGMainLoop(set_as_default=True)
        watcher = Watcher(dbus.SessionBus())
        watcher.StatusNotifierHostRegistered()
        print('ready', flush=True)
        GLib.MainLoop().run()
        return
    bus = dbus.SessionBus()
    name = sys.argv[2]
    if command == 'activate':
        bus.get_object(name, '/StatusNotifierItem').Activate(0, 0, dbus_interface=ITEM)
    elif command == 'menu':
        _, layout = menu_of(bus, name).GetLayout(0, -1, dbus.Array([], signature='s'))
        for _, depth, label, enabled, kind, toggle in items(layout):
            print(depth, label, enabled, kind, toggle, sep='\t')
    elif command == 'click':
        menu = menu_of(bus, name)
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature='s'))
        ids = [item[0] for item in items(layout) if item[2] == sys.argv[3]]
        if len(ids) != 1:
            sys.exit(f'no single menu item "{sys.argv[3]}"')
        menu.Event(ids[0], 'clicked', dbus.String('', variant_level=1), dbus.UInt32(0))


if __name__ == '__main__':
    main()
