#!/usr/bin/env python3
"""Draws the skin's small images as XPM files (run once; the output is committed)."""
import math

def xpm(name, w, h, pixel, palette):
    """pixel(x, y) -> palette key; palette maps key -> colour ('None' is transparent)."""
    rows = [''.join(pixel(x, y) for x in range(w)) for y in range(h)]
    lines = [f'"{w} {h} {len(palette)} 1",']
    lines += [f'"{k} c {v}",' for k, v in palette.items()]
    lines += [f'"{r}",' for r in rows]
    lines[-1] = lines[-1].rstrip(',')
    with open(name + '.xpm', 'w') as f:
        f.write('/* XPM */\nstatic const char *' + name + '[] = {\n' + '\n'.join(lines) + '\n};\n')

def thumb(x, y):
    d = math.hypot(x - 6.5, y - 6.5)
    if d <= 4.5: return 'w'
    if d <= 6.2: return 'g'
    return ' '
xpm('thumb', 14, 14, thumb, {' ': 'None', 'w': '#FFFFFF', 'g': '#00C000'})

def notch(x, y):
    # a downward pointing wedge above the position line
    half = (13 - y) / 2.0
    if y <= 11 and abs(x - 6.5) <= half: return 'w' if abs(x - 6.5) <= half - 1.5 else 'g'
    return ' '
xpm('notch', 14, 14, notch, {' ': 'None', 'w': '#FFFFFF', 'g': '#00FF00'})

def speaker_shape(x, y):
    if 5 <= x <= 10 and 12 <= y <= 20: return True        # box
    if 10 <= x <= 17 and abs(y - 16) <= (x - 10) + 4: return True  # cone
    return False

def waves(x, y):
    d = math.hypot(x - 14, y - 16)
    a = math.degrees(math.atan2(y - 16, x - 14))
    return abs(a) < 50 and any(abs(d - r) < 0.8 for r in (8, 12))

def speaker(x, y):
    if speaker_shape(x, y): return 'g'
    if waves(x, y): return 'w'
    return ' '
xpm('speaker', 32, 33, speaker, {' ': 'None', 'g': '#00FF00', 'w': '#FFFFFF'})

def speaker_muted(x, y):
    if speaker_shape(x, y): return 'g'
    if 20 <= x <= 29 and 11 <= y <= 21 and (abs((x - 20) - (y - 11)) <= 1 or abs((x - 20) - (21 - y)) <= 1):
        return 'r'
    return ' '
xpm('speaker_muted', 32, 33, speaker_muted, {' ': 'None', 'g': '#00FF00', 'r': '#FF0000'})

def icon(x, y):
    # a green note on a black disc
    if math.hypot(x - 15.5, y - 15.5) > 15.5: return ' '
    if math.hypot((x - 12) * 0.8, y - 22) <= 3.6: return 'g'
    if 14 <= x <= 15 and 7 <= y <= 22: return 'g'
    if 15 <= x <= 21 and 7 <= y <= 10 - (x - 15) * 0.3: return 'g'
    return 'k'
xpm('icon', 32, 32, icon, {' ': 'None', 'k': '#000000', 'g': '#00FF00'})

def cursor(x, y):
    # a pointing hand; hot spot at the finger tip (8, 0)
    finger = 7 <= x <= 10 and 0 <= y <= 12
    palm = 7 <= x <= 19 and 10 <= y <= 22 and not (x >= 18 and y <= 11)
    thumb_ = 3 <= x <= 7 and 13 <= y <= 18 and (x - 3) >= (y - 13) - 2
    inside = finger or palm or thumb_
    if not inside: return ' '
    edge = any(not (7 <= x + dx <= 10 and 0 <= y + dy <= 12
                    or 7 <= x + dx <= 19 and 10 <= y + dy <= 22 and not (x + dx >= 18 and y + dy <= 11)
                    or 3 <= x + dx <= 7 and 13 <= y + dy <= 18 and (x + dx - 3) >= (y + dy - 13) - 2)
               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    return 'k' if edge else 'w'
xpm('cursor', 32, 32, cursor, {' ': 'None', 'k': '#000000', 'w': '#FFFFFF'})
