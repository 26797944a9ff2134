#!/usr/bin/python3
"""Prints "lines N", then "TOP BOTTOM" for each line of green text window ID shows: rows holding
green pixels, at least 4 rows running (an underscore or the dot of an "i" alone is thinner).

usage: green_lines.py WINDOW_ID"""
import ctypes as c
import re
import sys


class XImage(c.Structure):
    _fields_ = [(name, c.c_int) for name in ('width', 'height', 'xoffset', 'format')] + \
        [('data', c.c_void_p)] + [(name, c.c_int) for name in (
            'byte_order', 'bitmap_unit', 'bitmap_bit_order', 'bitmap_pad', 'depth',
            'bytes_per_line', 'bits_per_pixel')]


x = c.cdll.LoadLibrary('libX11.so.6')
x.XOpenDisplay.restype = c.c_void_p
x.XGetImage.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_int, c.c_uint, c.c_uint, c.c_ulong,
                        c.c_int]
x.XGetImage.restype = c.POINTER(XImage)
display, window = x.XOpenDisplay(None), int(sys.argv[1], 0)
size = [c.c_uint() for _ in range(4)]
if not display or not x.XGetGeometry(c.c_void_p(display), c.c_ulong(window), c.byref(c.c_ulong()),
                                     c.byref(c.c_int()), c.byref(c.c_int()),
                                     *map(c.byref, size)):
    sys.exit('green_lines.py: no such window on the display')
image = x.XGetImage(display, window, 0, 0, size[0].value, size[1].value, 2**64 - 1, 2)
# Only the true-colour layout of the test display: 32 bits a pixel, blue in the low byte.
if not image or image[0].depth != 24 or image[0].bits_per_pixel != 32:
    sys.exit("green_lines.py: cannot read the window's pixels as 24-bit colour")
step, width = image[0].bytes_per_line, image[0].width * 4
pixels = c.string_at(image[0].data, step * image[0].height)
green = re.compile(rb'(?:....)*?[\x00-\x40][\x60-\xff][\x00-\x40]', re.S)  # anti-aliased too
rows = [bool(green.match(pixels, y * step, y * step + width)) for y in range(image[0].height)]
lines = [(m.start(), m.end() - 1) for m in re.finditer('1{4,}', ''.join('01'[r] for r in rows))]
print(f'lines {len(lines)}', *(f'{top} {bottom}' for top, bottom in lines), sep='\n')
