#!/usr/bin/env python3
"""Walks every window of the running player through AT-SPI, as a screen reader does, and fails
on any element that takes the focus or offers an action but has no name. It opens the player's
other windows on the way, through the press actions of their buttons and, where there is none,
through the keys a user would press; at the end it sets the volume slider to VOLUME percent.

usage: atspi_walk.py PID VOLUME

Prints one line per window walked; exits 1 with what it found wrong."""
import subprocess
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi  # noqa: E402

# Action.get_action_name is deprecated, but this version offers no other for the plain name.
warnings.filterwarnings('ignore', category=DeprecationWarning)

PID, VOLUME = int(sys.argv[1]), float(sys.argv[2])
WAIT_SECONDS = 10
problems = []
walked = set()


def fail(message):
    """Ends the walk, telling what was found wrong so far as well."""
    sys.exit('\n'.join([*problems, message]))


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == PID:
            app.clear_cache()
            return app
    return None


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def descendants(node):
    yield node
    for child in children(node):
        yield from descendants(child)


def action_names(node):
    action = node.get_action_iface()
    if action is None:
        return []
    return [action.get_action_name(i) for i in range(action.get_n_actions())]


def until(what, find):
    """Polls find() until it returns something; fails the walk after WAIT_SECONDS."""
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        app = application()
        found = find(app) if app is not None else None
        if found:
            return found
        time.sleep(0.1)
    fail(f'within {WAIT_SECONDS} s: {what}')


def showing_frame(name):
    def find(app):
        for window in children(app):
            states = window.get_state_set()
            if window.get_name() == name and states.contains(Atspi.StateType.SHOWING):
                return window
        return None
    return until(f'no window "{name}" on screen', find)


def named(frame, role, name):
    found = [n for n in descendants(frame) if n.get_role() == role and n.get_name() == name]
    if len(found) != 1:
        fail(f'{len(found)} elements {role.value_nick} "{name}" in "{frame.get_name()}"')
    return found[0]


def press(frame_name, name):
    """Presses a button once it can be pressed: actions run after the call that asks for them
    has returned, so a window another press gives back may not be enabled yet."""
    def find(_):
        button = named(showing_frame(frame_name), Atspi.Role.PUSH_BUTTON, name)
        enabled = button.get_state_set().contains(Atspi.StateType.ENABLED)
        return button if enabled and 'Press' in action_names(button) else None
    button = until(f'the button "{name}" in "{frame_name}" cannot be pressed', find)
    button.get_action_iface().do_action(action_names(button).index('Press'))


def walk(app):
    """Checks every window of the program, hidden or shown, each once it exists."""
    for window in children(app):
        title = window.get_name()
        if title in walked:
            continue
        walked.add(title)
        if window.get_role() != Atspi.Role.FRAME or not title:
            problems.append(f'a window shown as {window.get_role().value_nick} "{title}"')
        for node in descendants(window):
            focusable = node.get_state_set().contains(Atspi.StateType.FOCUSABLE)
            actions = action_names(node)
            if (focusable or actions) and not node.get_name():
                problems.append(f'in "{title}": a {node.get_role().value_nick} without a name '
                                f'(focusable: {focusable}, actions: {actions})')
        print(f'walked "{title}"')


def keys(window_title, *keys_to_press):
    window = subprocess.run(['xdotool', 'search', '--all', '--onlyvisible', '--pid', str(PID),
                             '--name', f'^{window_title}$'], capture_output=True, text=True,
                            check=True).stdout.split()[0]
    subprocess.run(['xdotool', 'windowfocus', '--sync', window], check=True)
    subprocess.run(['xdotool', 'key', '--delay', '100', *keys_to_press], check=True)


def showing(app, name):
    return any(w.get_name() == name and w.get_state_set().contains(Atspi.StateType.SHOWING)
               for w in children(app))


showing_frame('MP3-Brambleplayer')
until('the playlist lists no tracks', lambda _: any(
    n.get_role() == Atspi.Role.LIST and n.get_child_count() > 0
    for n in descendants(showing_frame('Playlist'))))
walk(application())

# A track plays: the quick-info popup comes with it.
press('MP3-Brambleplayer', 'Nächster Track')
showing_frame('Trackinfo')
walk(application())

press('MP3-Brambleplayer', 'Sucht einen Eintrag in der Playlist (F2)')
press('MP3-Titel suchen', 'Schließen')

press('MP3-Brambleplayer', 'Programmoptionen aufrufen')
press('Optionen', 'Standard-Verzeichnis wählen')
showing_frame('Standard-Verzeichnis wählen')
walk(application())
press('Standard-Verzeichnis wählen', 'Abbrechen')
press('Optionen', 'Abbrechen')

press('MP3-Brambleplayer', 'MP3-Verzeichnis hinzufügen')
press('MP3 Verzeichnis einfügen', 'Abbrechen')

# The track information has no button to it: the playlist's menu opens from the keyboard at
# the first line. The menu is not in the tree; should its keys arrive before it shows, the
# next try finds it.
for _ in range(5):
    showing_frame('Playlist')
    keys('Playlist', 'Home', 'shift+F10')
    time.sleep(0.5)
    keys('Playlist', 'Down', 'Down', 'Return')
    deadline = time.monotonic() + 3
    while time.monotonic() < deadline and not showing(application(), 'Datei-Informationen'):
        time.sleep(0.1)
    if showing(application(), 'Datei-Informationen'):
        break
    keys('Playlist', 'Escape')
keys('MP3-Brambleplayer', 'F1')
showing_frame('Hilfe zum MP3-Brambleplayer')
walk(application())
press('Datei-Informationen', 'Schließen')

if problems:
    sys.exit('\n'.join(problems))

slider = named(showing_frame('MP3-Brambleplayer'), Atspi.Role.SLIDER, 'Lautstärke')
level = slider.get_value_iface()
if level.get_minimum_value() != 0 or level.get_maximum_value() != 100:
    fail(f'the volume runs from {level.get_minimum_value()} to {level.get_maximum_value()}')
level.set_current_value(VOLUME)
print(f'set "Lautstärke" to {VOLUME:g}, it reads {level.get_current_value():g}')
