#!/usr/bin/env python3
"""Finds a push button of a running program through AT-SPI, as a screen reader does, and runs
its press action once the program's list shows enough rows.

usage: atspi_press.py PID BUTTON_NAME LIST_ROWS

Exits 0 after pressing; otherwise prints what it found and exits 1."""
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi  # noqa: E402

# Action.get_action_name is deprecated, but this version offers no other for the plain name.
warnings.filterwarnings('ignore', category=DeprecationWarning)

PID, NAME, ROWS = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
DEADLINE = time.monotonic() + 10


def player_application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == PID:
            return app
    return None


def descendants(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from descendants(child)


def find(app, role, name=None):
    return [n for n in descendants(app)
            if n.get_role() == role and (name is None or n.get_name() == name)]


seen = 'no application of the player on the accessibility bus'
while time.monotonic() < DEADLINE:
    app = player_application()
    if app is not None:
        app.clear_cache()
        buttons = find(app, Atspi.Role.PUSH_BUTTON, NAME)
        lists = [n for n in find(app, Atspi.Role.LIST) if n.get_child_count() >= ROWS]
        seen = (f'{len(buttons)} push buttons named {NAME!r}, {len(lists)} lists of '
                f'{ROWS} rows; push buttons: '
                f'{sorted(n.get_name() for n in find(app, Atspi.Role.PUSH_BUTTON))}')
        if len(buttons) == 1 and lists:
            button = buttons[0]
            names = [button.get_action_name(i) for i in range(button.get_n_actions())]
            if 'Press' not in names:
                sys.exit(f'the button {NAME!r} has no press action, only {names}')
            button.do_action(names.index('Press'))
            print(f'pressed {NAME!r} (actions {names})')
            sys.exit(0)
    time.sleep(0.1)
sys.exit(f'within 10 s: {seen}')
