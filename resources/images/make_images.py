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

# The launcher's icon: the window icon above, drawn at the sizes a desktop asks for.
def png(name, size, pixel, palette, samples=4):
    """pixel(x, y) on the 32 x 32 grid of the window icon, sampled samples^2 times per pixel."""
    import struct, zlib
    scale = 32.0 / size
    rows = b''
    for y in range(size):
        rows += b'\0'
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    gx = (x + (sx + 0.5) / samples) * scale - 0.5
                    gy = (y + (sy + 0.5) / samples) * scale - 0.5
                    colour = palette[pixel(gx, gy)]
                    if colour is None: continue
                    for i in range(3): acc[i] += colour[i]
                    acc[3] += 255
            n = samples * samples
            alpha = acc[3] / n
            rgb = [round(acc[i] * 255 / acc[3]) if acc[3] else 0 for i in range(3)]
            rows += bytes(rgb + [round(alpha)])
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    with open(name + '.png', 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))
for size in (16, 22, 24, 32, 48, 64, 128, 256):
    png(f'brambleplayer-{size}', size, icon, {' ': None, 'k': (0, 0, 0), 'g': (0, 255, 0)})

# The same shapes as outlines, for desktops that scale their icons.
with open('brambleplayer.svg', 'w') as f:
    f.write('''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <circle cx="16" cy="16" r="16" fill="#000000"/>
  <ellipse cx="12.5" cy="22.5" rx="4.5" ry="3.6" fill="#00FF00"/>
  <rect x="14" y="7" width="2" height="16" fill="#00FF00"/>
  <polygon points="15,7 22,7 22,9.2 15,11" fill="#00FF00"/>
</svg>
''')
