#!/usr/bin/env python3
"""Writes the benchmark grid meshes of warp_meshes.h as .kmw files, and
their node pairs (source x y, target x y per line) for other tools.

    warp_meshes.py COLS ROWS W H OUT.kmw OUT.points
"""
import struct
import sys


def grid(cols, rows, w, h):
    def at(c, r):
        return (c * (w - 1) // (cols - 1), r * (h - 1) // (rows - 1))

    def shift(c, r):
        if 0 < c < cols - 1 and 0 < r < rows - 1:
            if cols == 3 and rows == 3:
                return (w // 10, 0)
            dx = int(((c * 7 + r * 3) % 7 - 3) * (w // (cols - 1)) / 100)
            dy = int(((c * 5 + r * 11) % 7 - 3) * (h // (rows - 1)) / 100)
            return (dx, dy)
        return (0, 0)

    def target(c, r):
        p, d = at(c, r), shift(c, r)
        return (p[0] + d[0], p[1] + d[1])

    links = []
    for r in range(rows):
        for c in range(cols):
            n = r * cols + c
            if c + 1 < cols:
                links.append((at(c, r), at(c + 1, r), target(c, r), target(c + 1, r), n, n + 1))
            if r + 1 < rows:
                links.append((at(c, r), at(c, r + 1), target(c, r), target(c, r + 1), n, n + cols))
    nodes = [(at(c, r), target(c, r)) for r in range(rows) for c in range(cols)]
    return links, nodes


def main():
    cols, rows, w, h = (int(v) for v in sys.argv[1:5])
    links, nodes = grid(cols, rows, w, h)
    with open(sys.argv[5], "wb") as f:
        for s1, s2, t1, t2, a, b in links:
            f.write(struct.pack("<6i", *s1, *s2, a, b))
            f.write(struct.pack("<6i", *t1, *t2, a, b))
    with open(sys.argv[6], "w") as f:
        for s, t in nodes:
            f.write("%d %d %d %d\n" % (*s, *t))


main()
