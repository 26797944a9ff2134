#!/usr/bin/env python3
"""usage: atspi_walk.py PID VOLUME

Walks the player's windows as a screen reader does and fails on any element that takes the focus
or acts but has no name. It opens the windows by their buttons' press actions, "Nächster Track"
among them, and then sets the volume slider to VOLUME percent. (The help and the search, which
the widget tests dump whole, are not walked.)"""
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

# Action.get_action_name is deprecated, but this version offers no other for the plain name.
warnings.filterwarnings('ignore', category=DeprecationWarning)

PID, VOLUME = int(sys.argv[1]), float(sys.argv[2])
problems = []
walked = set()


def fail(message):
    sys.exit('\n'.join([*problems, message]))


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def descendants(node):
    yield node
    for child in children(node):
        yield from descendants(child)


def action_names(node):
    action = node.get_action_iface()
    return [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []


def until(what, find, seconds=10):
    """find(application) once it finds something; fails after the time unless what is None."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            app = next((a for a in children(Atspi.get_desktop(0)) if a.get_process_id() == PID),
                       None)
            if app is not None:
                app.clear_cache()
            found = find(app) if app is not None else None
        except GLib.Error:
            found = None  # an object gone while asked, as the popup of a track that ended
        if found:
            return found
        time.sleep(0.1)
    return fail(f'within {seconds} s: {what}') if what else None


def showing(name, must=True):
    return until(f'no window "{name}" on screen' if must else None, lambda app: next(
        (w for w in children(app)
         if w.get_name() == name and w.get_state_set().contains(Atspi.StateType.SHOWING)), None),
        10 if must else 3)


def named(frame, role, name):
    found = [n for n in descendants(frame) if n.get_role() == role and n.get_name() == name]
    if len(found) != 1:
        fail(f'{len(found)} elements {role.value_nick} "{name}" in "{frame.get_name()}"')
    return found[0]


def press(frame_name, name):
    """Presses a button once it can be pressed: a window another press gives back may not be
    enabled yet, as actions run after the call that asks for them has returned."""
    def find(_):
        button = named(showing(frame_name), Atspi.Role.PUSH_BUTTON, name)
        enabled = button.get_state_set().contains(Atspi.StateType.ENABLED)
        return button if enabled and 'Press' in action_names(button) else None
    button = until(f'the button "{name}" in "{frame_name}" cannot be pressed', find)
    button.get_action_iface().do_action(action_names(button).index('Press'))


def walk():
    """Checks every window of the program not walked before, hidden or shown."""
    for window in until('no application', children):
        try:
            title = window.get_name()
            if title in walked:
                continue
            found = []
            if window.get_role() != Atspi.Role.FRAME or not title:
                found.append(f'a window shown as {window.get_role().value_nick} "{title}"')
            for node in descendants(window):
                focusable = node.get_state_set().contains(Atspi.StateType.FOCUSABLE)
                if (focusable or action_names(node)) and not node.get_name():
                    found.append(f'in "{title}": a {node.get_role().value_nick} without a name')
        except GLib.Error:
            continue  # gone while walked: walked when it comes again
        walked.add(title)
        problems.extend(found)


showing('MP3-Brambleplayer')
until('the playlist lists no tracks', lambda _: any(
    n.get_role() == Atspi.Role.LIST and n.get_child_count() > 0
    for n in descendants(showing('Playlist'))))
press('MP3-Brambleplayer', 'Nächster Track')  # the quick-info popup comes with the track
showing('Trackinfo')
walk()
press('MP3-Brambleplayer', 'Programmoptionen aufrufen')
press('Optionen', 'Standard-Verzeichnis wählen')
showing('Standard-Verzeichnis wählen')
walk()
press('Standard-Verzeichnis wählen', 'Abbrechen')
press('Optionen', 'Abbrechen')
press('MP3-Brambleplayer', 'MP3-Verzeichnis hinzufügen')
showing('MP3 Verzeichnis einfügen')
walk()
press('MP3 Verzeichnis einfügen', 'Abbrechen')
missing = {'MP3-Brambleplayer', 'Playlist', 'Trackinfo', 'Optionen', 'Standard-Verzeichnis wählen',
           'MP3 Verzeichnis einfügen'} - walked
if problems or missing:
    fail(f'not walked: {sorted(missing)}' if missing else '')

level = named(showing('MP3-Brambleplayer'), Atspi.Role.SLIDER, 'Lautstärke').get_value_iface()
if (level.get_minimum_value(), level.get_maximum_value()) != (0, 100):
    fail(f'the volume runs from {level.get_minimum_value()} to {level.get_maximum_value()}')
level.set_current_value(VOLUME)
print(f'walked {len(walked)} windows; set "Lautstärke" to {VOLUME:g}')
