#!/usr/bin/env python3
"""Draws the program's cursors as 32 x 32 monochrome .cur files.

Each cursor is a picture of characters: '#' black, '.' white, ' ' transparent;
'@' is a black pixel at the hot spot, 'o' a white one. Run it in this folder
after changing a picture; the .cur files are committed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts"))
from pictures import cursor_file, write_files

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
    return cursor_file([row.replace("@", "#").replace("o", ".") for row in rows], hotspot)


write_files({name.lower() + ".cur": cur_file(picture) for name, picture in CURSORS.items()})
