#!/usr/bin/env python3
"""Draws the program's small pictures: the tool-bar, menu and palette strips,
the document-window icons, the dialogs' 32 x 32 pictures, the airbrush
spray patterns, the program icon, and the printer of the common library's
printer dialog.

Every 16 x 16 picture is a grid of characters, one per pixel, read with the
colour key KEY; '.' is the magenta ground, which the program makes
transparent by taking the colour of each picture's bottom-left pixel.
The strips are 24-bit Windows bitmaps, the icon holds a 32 x 32 and a
16 x 16 image. Run it in this folder after changing a picture; the .bmp and
.ico files it writes are committed.
"""
import struct

KEY = {
    ".": (255, 0, 255),    # ground, made transparent
    "#": (0, 0, 0),
    "d": (64, 64, 64),
    "g": (128, 128, 128),
    "s": (192, 192, 192),
    "l": (224, 224, 224),
    "w": (255, 255, 255),
    "r": (128, 0, 0),
    "R": (255, 0, 0),
    "o": (128, 128, 0),
    "y": (255, 255, 0),
    "G": (0, 128, 0),
    "L": (0, 255, 0),
    "t": (0, 128, 128),
    "c": (0, 255, 255),
    "n": (0, 0, 128),
    "b": (0, 0, 255),
    "k": (128, 192, 255),  # sky
    "u": (128, 64, 0),     # wood, leather
    "U": (192, 128, 64),
    "O": (255, 128, 0),
    "P": (255, 160, 192),  # rubber
    "q": (192, 96, 128),
}


def grid(text, size=16):
    rows = text.strip("\n").split("\n")
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError("picture is not %d x %d: %s" % (size, size, [len(row) for row in rows]))
    for row in rows:
        for ch in row:
            if ch not in KEY:
                raise ValueError("no colour for %r" % ch)
    return rows


def mirror(rows):
    return [row[::-1] for row in rows]


def transpose(rows):
    return ["".join(row[x] for row in rows) for x in range(len(rows[0]))]


def overlay(rows, top):
    """The picture rows with every pixel of top that is not ground put on it."""
    return ["".join(b if b != "." else a for a, b in zip(ra, rb)) for ra, rb in zip(rows, top)]


# ---------------------------------------------------------------------------
# Pictures shared by several entries.

UNDO = grid("""
................
....n...........
...nn...........
..nnn...........
.nnnnnnnnnn.....
.nnnnnnnnnnnn...
..nnn......nnn..
...nn.......nnn.
....n........nn.
.............nn.
.............nn.
............nnn.
...........nnn..
......nnnnnnn...
......nnnnn.....
................
""")

MIRROR = grid("""
.......gg.......
.......gg.......
.....#....#.....
.....#.gg.#.....
....##.gg.##....
....##....##....
...#b#.gg.#w#...
...#b#.gg.#w#...
..#bb#....#ww#..
..#bb#.gg.#ww#..
.#bbb#.gg.#www#.
.#bbb#....#www#.
#bbbb#.gg.#wwww#
######.gg.######
................
.......gg.......
""")

PASTE = grid("""
.....####.......
.####wsss####...
.#UU#ssss#UU#...
.#UU######UU#...
.#UUUUUUUUUU#...
.#UUUU#######...
.#UUUU#wwwww##..
.#UUUU#wwwww#w#.
.#UUUU#wwwww####
.#UUUU#wggggggw#
.#UUUU#wwwwwwww#
.#UUUU#wggggggw#
.#UUUU#wwwwwwww#
.#UUUU#wggggggw#
.######wwwwwwww#
......##########
""")

STAR = grid("""
............#...
...........#y#..
.........###y###
.........#yyyyy#
..........#yyy#.
.........#yy#yy#
.........##...##
................
................
................
................
................
................
................
................
................
""")

WINDOW = grid("""
................
.##############.
.#nnnnnnnnnnnn#.
.##############.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
""")

MONITOR = grid("""
................
.##############.
.#wwwwwwwwwwwg#.
.#w##########g#.
.#w#tttttttt#g#.
.#w#tttttttt#g#.
.#w#tttttttt#g#.
.#w#tttttttt#g#.
.#w#tttttttt#g#.
.#w#tttttttt#g#.
.#w##########g#.
.#gggggggggggg#.
.##############.
......####......
....########....
................
""")

# The printer: the Print command, and the printer dialog's list of the
# common library (its own strip, ../../common-forms/resources/printer.bmp).
PRINTER = grid("""
................
....#########...
....#wwwwwww#...
....#wgggggw#...
....#wwwwwww#...
.##############.
.#wwwwwwwwwwww#.
.#wssssssssssg#.
.#wssssssssssg#.
.#wsssssssLLsg#.
.#gggggggggggg#.
.##############.
...#wwwwwwww#...
...#wggggggw#...
...##########...
................
""")

# ---------------------------------------------------------------------------
# images.bmp: the commands of the menus and tool bars.

IMAGES = [
    # 0 New
    grid("""
..#########.....
..#wwwwwww##....
..#wwwwwww#w#...
..#wwwwwww#ww#..
..#wwwwwww#####.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#wwwwwwwwwww#.
..#############.
"""),
    # 1 Open
    grid("""
................
.####...........
#yyyy#..........
#yoooo########..
#yooooooooooo#..
#yooooooooooo#..
#yooooooooooo#..
#yo#############
#yo#wwwwwwwwwww#
#y#wyyyyyyyyyy#.
#y#wyyyyyyyyyy#.
##wyyyyyyyyyy#..
##wyyyyyyyyyy#..
#wyyyyyyyyyy#...
#############...
................
"""),
    # 2 Save
    grid("""
................
.##############.
.#nn########nn#.
.#nn#wwwwww#nn#.
.#nn#wggggw#nn#.
.#nn#wwwwww#nn#.
.#nn#wggggw#nn#.
.#nn#wwwwww#nn#.
.#nnnnnnnnnnnn#.
.#nnnnnnnnnnnn#.
.#nnn######nnn#.
.#nnn#ss#s#nnn#.
.#nnn#ss#s#nnn#.
.#nnn#ss#s#nnn#.
.##############.
................
"""),
    # 3 Print
    PRINTER,
    # 4 Print preview
    grid("""
.########.......
.#wwwwww##......
.#wwwwww#w#.....
.#wwwwww####....
.#wgggggggw#....
.#wggggg####....
.#wwwww#wkk#....
.#wggg#wkkkk#...
.#wwww#kkkkk#...
.#wggg#kkkkk#...
.#wwwww#kkk#....
.#wggggg#####...
.#wwwwwwwww###..
.#wgggggggw#.##.
.###########..##
................
"""),
    # 5 Undo
    UNDO,
    # 6 Redo
    mirror(UNDO),
    # 7 Copy
    grid("""
######..........
#wwww##.........
#wwww#w#........
#wwww####.......
#wgggggw#.......
#wwwww#######...
#wgggg#wwwww##..
#wwwww#wwwww#w#.
#wgggg#wwwww####
#wwwww#wggggggw#
#wgggg#wwwwwwww#
#wwwww#wggggggw#
#######wwwwwwww#
......#wggggggw#
......#wwwwwwww#
......##########
"""),
    # 8 Cut
    grid("""
................
...#........#...
...#g......g#...
....#g....g#....
....#g....g#....
.....#g..g#.....
.....#g..g#.....
......#gg#......
.......##.......
......#..#......
..####....####..
.#....#..#....#.
.#....#..#....#.
.#....#..#....#.
..####....####..
................
"""),
    # 9 Paste
    PASTE,
    # 10 Clear
    grid("""
................
.RR..........RR.
.RRR........RRR.
..RRR......RRR..
...RRR....RRR...
....RRR..RRR....
.....RRRRRR.....
......RRRR......
......RRRR......
.....RRRRRR.....
....RRR..RRR....
...RRR....RRR...
..RRR......RRR..
.RRR........RRR.
.RR..........RR.
................
"""),
    # 11 Select all
    grid("""
................
.##..##..##..##.
.#............#.
................
....########....
.#..#kkkkyy#..#.
.#..#kkkkyy#..#.
....#kkkkkk#....
....#kGkkkk#....
.#..#GGGkkG#..#.
.#..#GGGGGG#..#.
....########....
................
.#............#.
.##..##..##..##.
................
"""),
    # 12 Crop
    grid("""
...##...........
...##...........
...##...........
#############...
#############...
...##......##...
...##......##...
...##......##...
...##......##...
...##......##...
...##......##...
...#############
...#############
...........##...
...........##...
...........##...
"""),
    # 13 Rotate
    grid("""
................
.....nnnnnn.....
...nnnnnnnnnn...
..nnn......nnn..
..nn........nn..
.nn.######...nn.
.nn.#kkyy#.nnnnn
.nn.#kkkk#..nnn.
.nn.#GkkG#...n..
.nn.#GGGG#......
.nn.######...nn.
..nn........nn..
..nnn......nnn..
...nnnnnnnnnn...
.....nnnnnn.....
................
"""),
    # 14 Mirror
    MIRROR,
    # 15 Invert
    transpose(MIRROR),
    # 16 Transpose
    grid("""
................
................
................
.....nnnnnn.....
...nnnnnnnnnn...
..nnn......nnn..
..nn........nn..
.nn..........nn.
.nn.######...nn.
.nn.#kkyy#.nnnnn
.nn.#kkkk#..nnn.
.nn.#GkkG#...n..
....#GGGG#......
....######......
................
................
"""),
    # 17 Rotate left
    grid("""
................
................
.....nnnnnn.....
...nnnnnnnnn....
..nnn...........
..nn............
.nn.............
nnnnn.########..
.nnn..#kkkkyy#..
..n...#kkkkyy#..
......#kkkkkk#..
......#kGkkkk#..
......#GGGkkG#..
......#GGGGGG#..
......########..
................
"""),
    # 18 Rotate right
    None,
    # 19 Resize
    grid("""
................
.##############.
.#wwwwwwwwwwww#.
.#wwwwwwnnnnnw#.
.#wwwwwwwnnnnw#.
.#wwwwwwwwnnnw#.
.#wwwwwwwnwnnw#.
.#wwwwwwnwwwnw#.
.#wnwwwnwwwwww#.
.#wnnwnwwwwwww#.
.#wnnnwwwwwwww#.
.#wnnnnwwwwwww#.
.#wnnnnnwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
"""),
    # 20 Brightness
    grid("""
.......OO.......
.......OO.......
..O..........O..
...O........O...
......OOOO......
.....OyyyyO.....
....OywyyyyO....
OO..OyyyyyyO..OO
OO..OyyyyyyO..OO
....OyyyyyyO....
.....OyyyyO.....
......OOOO......
...O........O...
..O..........O..
.......OO.......
.......OO.......
"""),
    # 21 Catalog browser
    grid("""
................
.######..######.
#wwwwww##wwwwww#
#w####w##w####w#
#w#ky#w##w#kk#w#
#w#GG#w##w#GG#w#
#w####w##w####w#
#wwwwww##wwwwww#
#w####w##w####w#
#w#kk#w##w#ky#w#
#w#GG#w##w#GG#w#
#w####w##w####w#
#wwwwww##wwwwww#
#######rr#######
.rrrrrrrrrrrrrr.
................
"""),
    # 22 Capture theme
    grid("""
.##############.
.#wwwwwwwwwwww#.
.#wRRRwwwwwwww#.
.#wRRRwggggggw#.
.#wRRRwwwwwwww#.
.#wwwwwwwwwwww#.
.#wLLLwwwwwwww#.
.#wLLLwggggggw#.
.#wLLLwwwwwwww#.
.#wwwwwwwwwwww#.
.#wbbbwwwwwwww#.
.#wbbbwggggggw#.
.#wbbbwwwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
"""),
    # 23 Capture wizard
    grid("""
............y...
............y...
...y.......yyy..
..yyy...yyyywyyy
...y.......yyy..
............y...
.........ww.y...
........ww......
.......##.......
......##........
.....##.........
....##..........
...##...........
..##............
.##.............
................
"""),
    # 24 Screen capture
    grid("""
############....
#wwwwwwwwwg#....
#w########g#....
#w#kkkkkk#g#....
#w#kkkkkk#g#....
#w#kkkkkk#g#....
#w#kkkk###g#....
#w##############
#ggggg#sgg##ggd#
#######sg#wn#gd#
....###s#wnnn#d#
..#####s#nnnn#d#
......#sg#nn#gd#
......#sgg##ggd#
......##########
................
"""),
    # 25 Previous screen
    grid("""
................
.##############.
.#wwwwwwwwwwwg#.
.#w##########g#.
.#w#nnLnnnnn#g#.
.#w#nLLnnnnn#g#.
.#w#LLLLLLLL#g#.
.#w#LLLLLLLL#g#.
.#w#nLLnnnnn#g#.
.#w#nnLnnnnn#g#.
.#w##########g#.
.#gggggggggggg#.
.##############.
......####......
....########....
................
"""),
    # 26 Properties
    grid("""
.##########.....
.#wwwwwwww#.....
.#wggggggw#...##
.#wwwwwwww#..#b#
.#wggggggw#.#bn#
.#wwwwwwww##bn#.
.#wggggggw#bn#..
.#wwwwwww#bn#...
.#wggggg#bn#....
.#wwwwww#ss#....
.#wgggg#ss#.....
.#wwwww##nw#....
.#wwwwnw#w#.....
.#wwwwwwww#.....
.##########.....
................
"""),
    # 27 Capture now
    grid("""
...........O.O.O
............yyy.
...........OywyO
...####.....yyy.
..#ssss#...O.O.O
##############..
#ssss####ssss#..
#sgg#wnnn#gww#..
#sg#wnnnnn#ww#..
#sg#nnnnnn#gg#..
#sg#nnnnnn#gg#..
#sg#nnnnnn#gg#..
#sgg#nnnn#ggg#..
#sggg####gggg#..
##############..
................
"""),
    # 28 Key pressed
    grid("""
................
.##############.
.#wwwwwwwwwwws#.
.#wssssssssssg#.
.#ws######sssg#.
.#ws##ssssssgg#.
.#ws##ssssssgg#.
.#ws#####sssgg#.
.#ws##ssssssgg#.
.#ws##ssssssgg#.
.#ws######ssgg#.
.#wsssssssssgg#.
.#wggggggggggg#.
.#gggggggggggg#.
.##############.
................
"""),
    # 29 Time delay
    grid("""
......####......
.......##.......
.......##.......
.....######.....
....##wwww##....
...#wwwwwwww#...
..#wwww#wwwww#..
..#wwww#wwwww#..
..#wwww#wwwww#..
..#wwww#RRRww#..
..#wwwwwwwwww#..
..#wwwwwwwwww#..
...#wwwwwwww#...
....##wwww##....
.....######.....
................
"""),
    # 30 Help topics
    grid("""
.##############.
.#b#nnnnnnnnnn#.
.#b#nnnyyyynnn#.
.#b#nnyynnyynn#.
.#b#nnnnnnyynn#.
.#b#nnnnnyynnn#.
.#b#nnnnyynnnn#.
.#b#nnnnyynnnn#.
.#b#nnnnnnnnnn#.
.#b#nnnnyynnnn#.
.#b#nnnnyynnnn#.
.#b#nnnnnnnnnn#.
.#b############.
.#b#wwwwwwwwww#.
.##############.
................
"""),
    # 31 About
    grid("""
................
.....nnnnnn.....
...nnwwwwwwnn...
..nwwwwbbwwwwn..
..nwwwwbbwwwwn..
.nwwwwwwwwwwwwn.
.nwwwwbbbwwwwwn.
.nwwwwwbbwwwwwn.
.nwwwwwbbwwwwwn.
.nwwwwwbbwwwwwn.
.nwwwwwbbwwwwwn.
..nwwwwbbwwwwn..
..nwwwbbbbwwwn..
...nnwwwwwwnn...
.....nnnnnn.....
................
"""),
    # 32 Options
    grid("""
................
ggggggg.........
gwwww#g.........
gwww##g.dddddddd
g#w##wg.........
g###wwg.........
gw#wwwg.........
ggggggg.........
................
ggggggg.........
gwwwwwg.........
gwwwwwg.dddddddd
gwwwwwg.........
gwwwwwg.........
ggggggg.........
................
"""),
    # 33 Wallpaper
    grid("""
................
.##############.
.#wwwwwwwwwwwg#.
.#w##########g#.
.#w#kkkkkkyy#g#.
.#w#kkkkkkyy#g#.
.#w#kkkkkkkk#g#.
.#w#kLLkkkkk#g#.
.#w#LLLLkkGG#g#.
.#w#LLLLGGGG#g#.
.#w##########g#.
.#gggggggggggg#.
.##############.
......####......
....########....
................
"""),
    # 34 Reload
    grid("""
................
.....GGGGGG.....
...GGGGGGGGGG...
..GGG......GGG..
..GG........GG..
.GG..........GG.
...........GGGGG
..G.........GGG.
.GGG.........G..
GGGGG...........
.GG..........GG.
..GG........GG..
..GGG......GGG..
...GGGGGGGGGG...
.....GGGGGG.....
................
"""),
    # 35 Close
    None,
    # 36 Arrange / tile
    grid("""
................
#######.#######.
#nnnnn#.#nnnnn#.
#######.#######.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#wwwww#.#wwwww#.
#######.#######.
................
................
"""),
    # 37 Cascade
    grid("""
##########......
#nnnnnnnn#......
##########......
#ww##########...
#ww#nnnnnnnn#...
#ww##########...
#ww#ww##########
#ww#ww#nnnnnnnn#
####ww##########
...#ww#wwwwwwww#
...#ww#wwwwwwww#
...####wwwwwwww#
......#wwwwwwww#
......#wwwwwwww#
......##########
................
"""),
    # 38 Fit to page
    grid("""
................
.##############.
.#nnnnnnnnnnnn#.
.##############.
.#wwwwwnnwwwww#.
.#wwwwnnnnwwww#.
.#wwwwwnnwwwww#.
.#wnwwwwwwwwnw#.
.#nnnnwwwwnnnn#.
.#nnnnwwwwnnnn#.
.#wnwwwwwwwwnw#.
.#wwwwwnnwwwww#.
.#wwwwnnnnwwww#.
.#wwwwwnnwwwww#.
.##############.
................
"""),
    # 39 Window list
    grid("""
................
.##############.
.#nnnnnnnnnnnn#.
.##############.
.#wwwwwwwwwwww#.
.#w##wggggggww#.
.#wwwwwwwwwwww#.
.#bbbbbbbbbbbb#.
.#b##bwwwwwwbb#.
.#bbbbbbbbbbbb#.
.#wwwwwwwwwwww#.
.#w##wggggggww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
"""),
    # 40 Home page
    grid("""
................
.....######.....
...##bbbbbb##...
..#bbGGbbbbbb#..
..#bGGGGbbGGb#..
.#bbGGGbbbGGGb#.
.#bbbGGbbbbGGb#.
.#bbbbGbbbbbbb#.
.#bbbbbbGGGbbb#.
.#bbbbbbGGGGbb#.
.#bbbbbbbGGGbb#.
..#bbbbbbGGbb#..
..#bbbbbbGbbb#..
...##bbbbbb##...
.....######.....
................
"""),
    # 41 Selected area / picture size
    grid("""
................
.##..##..##..n..
.#........#.nnn.
.............n..
.............n..
.#........#..n..
.#........#..n..
.............n..
.............n..
.#........#.nnn.
.##..##..##..n..
................
..n......n......
.nnnnnnnnnn.....
..n......n......
................
"""),
    # 42 Colour depth
    grid("""
................
.######.######..
.#RRRR#.#LLLL#..
.#RRRR#.#LLLL#..
.#RRRR#.#LLLL#..
.#RRRR#.#LLLL#..
.######.######..
................
.######.######..
.#bbbb#.#yyyy#..
.#bbbb#.#yyyy#..
.#bbbb#.#yyyy#..
.#bbbb#.#yyyy#..
.######.######..
................
................
"""),
    # 43 Grayscale
    grid("""
................
.##############.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.#wwllssggdd###.
.##############.
................
"""),
    # 44 Invert colours
    grid("""
................
.....######.....
...##www#####...
..#wwwww######..
..#wwwww######..
.#wwwwww#######.
.#wwwwww#######.
.#wwwwww#######.
.#wwwwww#######.
.#wwwwww#######.
.#wwwwww#######.
..#wwwww######..
..#wwwww######..
...##www#####...
.....######.....
................
"""),
    # 45 Mouse cursor
    grid("""
....#...........
....##..........
....#w#.........
....#ww#........
....#www#.......
....#wwww#......
....#wwwww#.....
....#wwwwww#....
....#wwwwwww#...
....#wwwww#####.
....#ww#ww#.....
....#w#.#ww#....
....##..#ww#....
....#....#ww#...
.........#ww#...
..........##....
"""),
    # 46 Paste as new
    None,
    # 47 Exit
    grid("""
................
....#########...
...##ddddddd#...
.##u#ddddddd#...
.#uu#dddddddL...
.#uu#dddddddLL..
.#uu#dddddddLLL.
.#uu#ddLLLLLLLLL
.#yu#ddLLLLLLLLL
.#uu#dddddddLLL.
.#uu#dddddddLL..
.#uu#dddddddL...
.#uu#ddddddd#...
.##u#ddddddd#...
...##########...
................
"""),
    # 48 Close all
    None,
    # 49 Default colours
    grid("""
................
.########.......
.########.......
.########.......
.########.......
.########.......
.##############.
.######wwwwwww#.
.######wwwwwww#.
......#wwwwwww#.
......#wwwwwww#.
......#wwwwwww#.
......#wwwwwww#.
......#wwwwwww#.
......#########.
................
"""),
    # 50 Swap colours
    grid("""
................
.######...n.....
.######..nn.....
.######.nnnnn...
.######..nn..n..
.######...n..n..
.######....nnnnn
............nnn.
.............n..
.........######.
.........#wwww#.
.........#wwww#.
.........#wwww#.
.........#wwww#.
.........######.
................
"""),
]

CLOSE_X = grid("""
................
................
................
................
................
....RR....RR....
....RRR..RRR....
.....RRRRRR.....
......RRRR......
......RRRR......
.....RRRRRR.....
....RRR..RRR....
....RR....RR....
................
................
................
""")

CLOSE_ALL_X = grid("""
................
................
................
................
................
................
................
................
................
........RR..RR..
.........RRRR...
..........RR....
.........RRRR...
........RR..RR..
................
................
""")

IMAGES[18] = mirror(IMAGES[17])
IMAGES[35] = overlay(WINDOW, CLOSE_X)
IMAGES[46] = overlay(PASTE, STAR)
IMAGES[48] = overlay(IMAGES[37], CLOSE_ALL_X)

# ---------------------------------------------------------------------------
# tools.bmp: the drawing tools of the palette.

TOOLS = [
    # 0 Selector
    grid("""
................
.##..##..##..##.
.#............#.
................
................
.#............#.
.#............#.
................
................
.#............#.
.#............#.
................
................
.#............#.
.##..##..##..##.
................
"""),
    # 1 Pencil
    grid("""
................
............###.
...........#RR##
..........#ssr#.
.........#yyg#..
........#yyo#...
.......#yyo#....
......#yyo#.....
.....#yyo#......
....#yyo#.......
...#yyo#........
..#UUU#.........
.#UUU#..........
.#UU#...........
.###............
................
"""),
    # 2 Eraser
    grid("""
................
................
................
......#########.
.....#wwwwwww##.
....#wwwwwww#q#.
...#wwwwwww#qq#.
..#wwwwwww#qqq#.
.#########qqqq#.
.#PPPPPPP#qqqq#.
.#PPPPPPP#qqq#..
.#PPPPPPP#qq#...
.#PPPPPPP#q#....
.#PPPPPPP##.....
.#########......
................
"""),
    # 3 Text
    grid("""
................
.......##.......
.......##.......
......####......
......####......
.....##.###.....
.....##.###.....
....##...###....
....##...###....
...##########...
...##.....###...
..##.......###..
..##.......###..
.###.......####.
#####.....######
................
"""),
    # 4 Picker
    grid("""
................
............###.
...........#gd#.
..........#gdd#.
.........#gdd#..
......###gdd#...
.......###d#....
.......####.....
......#w###.....
.....#w#........
....#w#.........
...#b#..........
..#b#...........
.#b#............
.#..............
................
"""),
    # 5 Fill
    grid("""
................
.....##.........
....#..#........
....#..##.......
....#.#ww#......
....##wwww#.....
...#wwwwwww#....
..#bbwwwwwww#...
.#bbbbwwwwwsb#..
#bbbbbbwwwss#b..
.#bbbbbbwss#.b..
..#bbbbbss#..b..
...#bbbss#...bb.
....#bss#....bb.
.....##.#.......
................
"""),
    # 6 Airbrush
    grid("""
.#...#..........
...#...#........
#.#..#...###....
..#.#..###s#....
.#.#..#..###....
...#..#.#sss#...
.......#sssss#..
.......#######..
.......#wRRRr#..
.......#wRRRr#..
.......#wRRRr#..
.......#wRRRr#..
.......#wRRRr#..
.......#wRRRr#..
.......#######..
................
"""),
    # 7 Line
    grid("""
................
..............#.
.............#..
............#...
...........#....
..........#.....
.........#......
........#.......
.......#........
......#.........
.....#..........
....#...........
...#............
..#.............
.#..............
................
"""),
    # 8 Curve
    grid("""
................
................
................
....##..........
...#..#.........
..#....#........
..#....#........
.#.....##.....#.
.#.....##.....#.
........#....#..
........#....#..
.........#..#...
..........##....
................
................
................
"""),
    # 9 Rectangle
    grid("""
................
................
.##############.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.##############.
................
................
"""),
    # 10 Rounded rectangle
    grid("""
................
................
...##########...
..#..........#..
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
.#............#.
..#..........#..
...##########...
................
................
"""),
    # 11 Ellipse
    grid("""
................
................
................
.....######.....
...##......##...
..#..........#..
.#............#.
.#............#.
.#............#.
.#............#.
..#..........#..
...##......##...
.....######.....
................
................
................
"""),
]

# ---------------------------------------------------------------------------
# child.bmp: the icons of the document windows.

MODIFIED = grid("""
................
................
................
................
................
................
................
................
................
.........wwwwww.
.........wRwRwRw
.........wwRRRww
.........wRRRRRw
.........wwRRRww
.........wRwRwRw
.........wwwwwww
""")

BITMAP = grid("""
................
################
#wwwwwwwwwwwwwg#
#w############g#
#w#kkkkkkkkkk#g#
#w#kkkkkkkkkk#g#
#w#kkkkkkkkkk#g#
#w#kkkLLkkkkk#g#
#w#kkLLLLkkkk#g#
#w#kLLLLLLkGG#g#
#w#LLLLLLGGGG#g#
#w#LLLLLGGGGG#g#
#w############g#
#wggggggggggggg#
################
................
""")

PHOTO = grid("""
................
.##############.
.#wwwwwwwwwwww#.
.#wkkkkkkkkkkw#.
.#wkkkkyykkkkw#.
.#wkkkyyyykkkw#.
.#wkkkyyyykkkw#.
.#wbbbbbbbbbbw#.
.#wbcbbbbbcbbw#.
.#wbbbbcbbbbbw#.
.#wnnnnnnnnnnw#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
""")

CHILD = [
    MONITOR,
    overlay(MONITOR, MODIFIED),
    BITMAP,
    overlay(BITMAP, MODIFIED),
    PHOTO,
    overlay(PHOTO, MODIFIED),
]

# ---------------------------------------------------------------------------
# common.bmp: the 32 x 32 pictures of the dialogs, drawn with a few shapes.


class Sketch:
    """A size x size picture on the ground, drawn with rectangles, lines and
    discs of one colour character each; rows() gives it as grid() does."""

    def __init__(self, size=32):
        self.size = size
        self.px = [["."] * size for _ in range(size)]

    def dot(self, x, y, ch):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = ch

    def fill(self, x1, y1, x2, y2, ch):
        """The pixels x1..x2, y1..y2 (both ends in)."""
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                self.dot(x, y, ch)

    def box(self, x1, y1, x2, y2, edge, inside=None):
        if inside:
            self.fill(x1, y1, x2, y2, inside)
        for x in range(x1, x2 + 1):
            self.dot(x, y1, edge)
            self.dot(x, y2, edge)
        for y in range(y1, y2 + 1):
            self.dot(x1, y, edge)
            self.dot(x2, y, edge)

    def line(self, x1, y1, x2, y2, ch):
        steps = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(steps + 1):
            self.dot(round(x1 + (x2 - x1) * i / steps), round(y1 + (y2 - y1) * i / steps), ch)

    def disc(self, cx, cy, r, ch, edge=None):
        for y in range(self.size):
            for x in range(self.size):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if d <= r * r:
                    self.dot(x, y, edge if edge and d > (r - 1) ** 2 else ch)

    def rows(self):
        return grid("\n".join("".join(row) for row in self.px), self.size)


def page(x1, y1, x2, y2):
    """A sheet of paper with a folded corner and lines of text."""
    s = Sketch()
    s.box(x1, y1, x2, y2, "#", "w")
    fold = 5
    s.fill(x2 - fold + 1, y1, x2, y1 + fold - 1, ".")
    s.line(x2 - fold, y1, x2, y1 + fold, "#")
    s.box(x2 - fold, y1, x2 - fold, y1 + fold, "#")
    s.line(x2 - fold, y1 + fold, x2, y1 + fold, "#")
    s.fill(x2 - fold + 1, y1 + 1, x2 - 1, y1 + fold - 1, "s")
    s.fill(x2 - fold + 2, y1 + 1, x2 - 1, y1 + fold - 2, ".")
    for y in range(y1 + fold + 3, y2 - 2, 3):
        s.line(x1 + 3, y, x2 - 3, y, "g")
    return s


def monitor():
    """A screen on its stand, the display left for the picture on it."""
    s = Sketch()
    s.box(2, 3, 29, 23, "#", "s")
    s.box(4, 5, 27, 21, "g", "k")
    s.fill(12, 24, 19, 26, "g")
    s.box(8, 27, 23, 29, "#", "s")
    return s


def portrait_picture():
    return page(8, 2, 23, 29).rows()


def landscape_picture():
    return page(2, 8, 29, 23).rows()


def new_screen_picture():
    s = monitor()
    s.fill(5, 6, 26, 20, "w")
    # The spark of something new, at the top right.
    s.line(24, 0, 24, 14, "O")
    s.line(17, 7, 31, 7, "O")
    s.line(19, 2, 29, 12, "O")
    s.line(29, 2, 19, 12, "O")
    s.disc(24, 7.5, 3, "y")
    return s.rows()


def open_picture():
    s = Sketch()
    s.box(2, 6, 12, 9, "#", "y")          # the folder's tab
    s.box(2, 9, 26, 27, "#", "U")         # its back
    s.box(6, 4, 22, 24, "#", "w")         # a sheet inside
    for y in range(8, 22, 3):
        s.line(9, y, 19, y, "g")
    for y in range(14, 28):               # the front, open towards the viewer
        x = 7 - (y - 14) // 3
        s.line(x, y, x + 22, y, "y")
        s.dot(x, y, "#")
        s.dot(x + 22, y, "#")
    s.line(7, 14, 29, 14, "#")
    s.line(3, 27, 25, 27, "#")
    return s.rows()


def themes_picture():
    s = Sketch()
    # Three capture frames stacked, each a little lower and to the right.
    for i, fill in enumerate(("t", "b", "k")):
        x, y = 2 + 5 * i, 2 + 5 * i
        s.box(x, y, x + 19, y + 15, "#", fill)
        s.fill(x + 1, y + 1, x + 18, y + 3, "n")
    s.fill(13, 17, 29, 26, "k")
    s.fill(13, 23, 29, 26, "G")
    s.disc(25, 20, 2, "y")
    return s.rows()


def capture_picture():
    s = monitor()
    # A dashed area chosen on the display, with the cross of the pointer.
    for x in range(8, 22):
        if x % 3 != 2:
            s.dot(x, 9, "R")
            s.dot(x, 17, "R")
    for y in range(9, 18):
        if y % 3 != 2:
            s.dot(8, y, "R")
            s.dot(21, y, "R")
    s.line(21, 14, 21, 20, "#")
    s.line(18, 17, 24, 17, "#")
    return s.rows()


def sun(lit):
    """A 16 x 16 sun in the top-left corner: a dim one with short rays, or a
    bright one with long rays."""
    s = Sketch()
    if lit:
        s.disc(8, 8, 4, "y", "O")
        for x1, y1, x2, y2 in ((8, 0, 8, 2), (8, 14, 8, 16), (0, 8, 2, 8), (14, 8, 16, 8),
                               (2, 2, 3, 3), (13, 2, 12, 3), (2, 13, 3, 12), (13, 13, 12, 12)):
            s.line(x1, y1, min(x2, 15), min(y2, 15), "O")
    else:
        s.disc(8, 8, 3, "g", "d")
        for x1, y1, x2, y2 in ((8, 2, 8, 3), (8, 13, 8, 14), (2, 8, 3, 8), (13, 8, 14, 8)):
            s.line(x1, y1, x2, y2, "d")
    return s.rows()


COMMON = [
    portrait_picture(),
    landscape_picture(),
    new_screen_picture(),
    open_picture(),
    themes_picture(),
    capture_picture(),
    sun(False),
    sun(True),
]

# ---------------------------------------------------------------------------
# mirolux.ico: the program's icon.

ICON32 = grid("""
RRRRRRRRR..............RRRRRRRRR
RRRRRRRRR..............RRRRRRRRR
RR............................RR
RR............................RR
RR..########################..RR
RR..#wwwwwwwwwwwwwwwwwwwwwg#..RR
RR..#wkkkkkkkkkkkkkkkkkkkkg#..RR
RR..#wkkkkkkkkkkkkkkkkkkkkg#..RR
RR..#wkkwwwkkkkkkkyyyykkkkg#..RR
....#wkwwwwwwkkkkyyyyyykkkg#....
....#wkkkkkkkkkkkyyyyyykkkg#....
....#wkkkkkkkkkkkyyyyyykkkg#....
....#wkkkkkkkkkkkyyyyyykkkg#....
....#wkkkkkkkkkkkkyyyykkkkg#....
....#wkkkkkkkkkkkkkkkkkkkkg#....
....#wkkkkLLLLkkkkkkkkkkkkg#....
....#wkkLLLLLLLLkkkkkkkkkkg#....
....#wkLLLLLLLLLLkkkkkkkkkg#....
....#wLLLLLLLLLLLLkkkkkkkkg#....
....#wLLLLLLLLLLLLLkkkGGGkg#....
....#wLLLLLLLLLLLLLGGGGGGGg#....
....#wLLLLLLLLLLGGGGGGGGGGg#....
....#wLLLLLLLLGGGGGGGGGGGGg#....
RR..#wLLLLLLLGGGGGGGGGGGGGg#..RR
RR..#wLLLLLLGGGGGGGGGGGGGGg#..RR
RR..#wLLLLLGGGGGGGGGGGGGGGg#..RR
RR..#gggggggggggggggggggggg#..RR
RR..########################..RR
RR............................RR
RR............................RR
RRRRRRRRR..............RRRRRRRRR
RRRRRRRRR..............RRRRRRRRR
""", 32)

ICON16 = grid("""
RRRRR......RRRRR
RRRRR......RRRRR
RR............RR
RR.##########.RR
RR.#kkkkkyyk#.RR
...#kkkkkyyk#...
...#kkkkkkkk#...
...#kkLLkkkk#...
...#kLLLLkGG#...
...#LLLLLGGG#...
...#LLLLGGGG#...
RR.#LLLGGGGG#.RR
RR.##########.RR
RR............RR
RRRRR......RRRRR
RRRRR......RRRRR
""")

# ---------------------------------------------------------------------------
# Writing the files.


def bmp_file(width, height, pixel):
    """A 24-bit bottom-up Windows bitmap; pixel(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def strip_file(pictures, size=16):
    for n, rows in enumerate(pictures):
        if rows[-1][0] != ".":
            raise ValueError("picture %d has no ground at its bottom-left pixel" % n)
    return bmp_file(size * len(pictures), size, lambda x, y: KEY[pictures[x // size][y][x % size]])


def spray(diameter, size=26, share=0.40, seed=1):
    """Black dots on a given share of a round spot on white; the same every run."""
    centre = size / 2
    spot = [(x, y) for y in range(size) for x in range(size)
            if (x + 0.5 - centre) ** 2 + (y + 0.5 - centre) ** 2 <= (diameter / 2) ** 2]
    state = seed * 2654435761 % 2 ** 32 or 1
    for i in range(len(spot) - 1, 0, -1):
        # a xorshift of its own, so that the pattern never changes with Python's random module
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        j = state % (i + 1)
        spot[i], spot[j] = spot[j], spot[i]
    dots = set(spot[:round(share * len(spot))])
    return bmp_file(size, size, lambda x, y: (0, 0, 0) if (x, y) in dots else (255, 255, 255))


def icon_image(rows):
    """One image of an icon: 32-bit colour with alpha, then the AND mask."""
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, ch in enumerate(row):
            if ch == ".":
                xor += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = KEY[ch]
                xor += bytes((b, g, r, 255))
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_file(images):
    blobs = [icon_image(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main():
    outputs = {
        "images.bmp": strip_file(IMAGES),
        "tools.bmp": strip_file(TOOLS),
        "child.bmp": strip_file(CHILD),
        "common.bmp": strip_file(COMMON, 32),
        "../../common-forms/resources/printer.bmp": strip_file([PRINTER]),
        "airbrush1.bmp": spray(8, seed=1),
        "airbrush2.bmp": spray(16, seed=2),
        "airbrush3.bmp": spray(24, seed=3),
        "mirolux.ico": ico_file([ICON32, ICON16]),
    }
    for name, data in outputs.items():
        with open(name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
