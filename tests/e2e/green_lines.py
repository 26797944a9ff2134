#!/usr/bin/python3
"""Prints "lines N", then "TOP BOTTOM" for each line of green text window ID shows: rows holding
green pixels, at least 4 rows running (an underscore or the dot of an "i" alone is thinner).

usage: green_lines.py WINDOW_ID"""
import re
import sys

from Xlib import X, display

window = display.Display().create_resource_object('window', int(sys.argv[1], 0))
size = window.get_geometry()
image = window.get_image(0, 0, size.width, size.height, X.ZPixmap, 0xffffffff)
# Only the true-colour layout of the test display: 32 bits a pixel, blue in the low byte.
if image.depth != 24 or len(image.data) != 4 * size.width * size.height:
    sys.exit("green_lines.py: cannot read the window's pixels as 24-bit colour")
step = 4 * size.width
green = re.compile(rb'(?:....)*?[\x00-\x40][\x60-\xff][\x00-\x40]', re.S)  # anti-aliased too
rows = ''.join('01'[bool(green.match(image.data, y * step, y * step + step))]
               for y in range(size.height))
lines = [(m.start(), m.end() - 1) for m in re.finditer('1{4,}', rows)]
print(f'lines {len(lines)}', *(f'{top} {bottom}' for top, bottom in lines), sep='\n')
