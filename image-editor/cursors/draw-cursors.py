#!/usr/bin/env python3
"""Draws the program's cursors as 32 x 32 monochrome .cur files.

Each cursor is a picture of characters: '#' black, '.' white, ' ' transparent;
'@' is a black pixel at the hot spot, 'o' a white one. Run it in this folder
after changing a picture; the .cur files are committed.
"""
import struct

CURSORS = {
    "Cross": """
               .
              .#.
              .#.
              .#.
              .#.
              .#.
              .#.
       ........ .........
       ######## @ #######
       ........ .........
              .#.
              .#.
              .#.
              .#.
              .#.
              .#.
               .
""",
    "Pencil": """
             ...
            .###.
           .#...#.
          .#.#.#.
         .#.#.#.
        .#.#.#.
       .#.#.#.
      .#.#.#.
     .#.#.#.
    .#.#.#.
   .##.#.#.
   .#.##.#.
   .#..##.
   .##.#.
  .####.
  .###.
  .@#.
   ..
""",
    "Eraser": """
            ........
           .########.
          .#......##.
         .#......#.#.
        .#......#..#.
       .#......#..#.
      .#......#..#.
     .#......#..#.
    .########..#.
    .#......#.#.
    .#......##.
    .@#######.
     ........
""",
    "Text": """
   ...  ...
   .##..##.
     .##.
     .#.
     .#.
     .#.
     .#.
     .@.
     .#.
     .#.
     .#.
     .#.
     .##.
   .##..##.
   ...  ...
""",
    "Picker": """
              ...
             .###.
            .#####.
         ....#####.
        .#.#.####.
         .#.#.##.
         .#..#..
        .#.#..#.
       .#.#. ..
      .#.#.
     .#.#.
    .#.#.
   .#.#.
  .#.#.
  .##.
 .@#.
  ..
""",
    "Fill": """
        ..
       .##.
      .#..#.
      .#..##.
      .#.#.##.
     .#..#..##.
    .#...#...##.
   .#....#....#.
  .#.....#.....#.
  .#....#@#....#.
   .#....#....#.#.
    .#.......#. .#.
     .#.....#.  .#.
      .#...#.   .#.
       .#.#.    ..
        .#.
         .
""",
    "Airbrush": """
  . .  .
 .#..#..#.
  . .  . .
 .#..#..#.      ....
  . .  .       .####.
 .#..@..#.    .#....#.
  .  .  .    .#......#.
          ..#........#.
         .##.#......#.
          .  .#....#.
              .####.
              .#..#.
             .######.
             .######.
             .######.
             .######.
              ......
""",
    "Move": """
              ..
             .##.
            .####.
           ...##...
             .##.
        .    .##.    .
       .#.....##.....#.
      .################.
      .#######@########.
       .#.....##.....#.
        .    .##.    .
             .##.
           ...##...
            .####.
             .##.
              ..
""",
}


def rows_of(picture):
    lines = picture.strip("\n").split("\n")
    rows = [line.ljust(32)[:32] for line in lines]
    while len(rows) < 32:
        rows.append(" " * 32)
    return rows


def cur_file(picture):
    rows = rows_of(picture)
    hotspot = (0, 0)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in "@o":
                hotspot = (x, y)
    xor_rows, and_rows = [], []
    for row in rows:
        xor_bits = and_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch in " ":
                and_bits |= bit  # transparent: screen kept
            elif ch in ".o":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows run bottom-up.
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + mask
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


for name, picture in CURSORS.items():
    with open(name.lower() + ".cur", "wb") as f:
        f.write(cur_file(picture))
