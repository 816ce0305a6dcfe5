#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs and the render target's archive.

  corpus/render/   messages in code page 932: the examples (line breaks as
                   <R>, as quenta-render sends them), Japanese lines using
                   every tag, and inputs of several SetText steps (NUL, then
                   an instruction byte: see harness/MessageSteps.h)
  corpus/picture/  small PNG files of every colour type, bit depth and
                   interlacing, and BMP files of the layouts Pictura reads
  corpus/archive/  ZIP files holding numbered pictures: stored, deflated,
                   ZIP64, with folders and comments, and a few damaged ones
  archive/         archive 0 of the render target: pictures -1 and 1 to 8

Uses the standard library only; the outputs are checked in, so this is
needed only to change them. Run it from anywhere.
"""
import io
import struct
import zipfile
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
EXAMPLES = HERE.parent / "examples"


# ---- pictures ---------------------------------------------------------------

def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def pack_row(samples, depth):
    """One scanline of samples (already flattened) at `depth` bits each."""
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    out, bits, used = bytearray(), 0, 0
    for s in samples:
        bits = (bits << depth) | s
        used += depth
        if used == 8:
            out.append(bits)
            bits, used = 0, 0
    if used:
        out.append(bits << (8 - used))
    return bytes(out)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(width, height, color_type, depth, pixel, palette=None, trns=None, interlace=False):
    """pixel(x, y) gives the tuple of samples of one pixel."""
    def scanlines(xs, ys):
        return b"".join(b"\x00" + pack_row([s for x in xs for s in pixel(x, y)], depth) for y in ys)

    if interlace:
        raw = b""
        for x0, y0, dx, dy in ADAM7:
            xs, ys = range(x0, width, dx), range(y0, height, dy)
            if len(xs) and len(ys):
                raw += scanlines(xs, ys)
    else:
        raw = scanlines(range(width), range(height))
    header = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 1 if interlace else 0)
    data = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
    if palette:
        data += png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns is not None:
        data += png_chunk(b"tRNS", trns)
    return data + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b"")


def bmp(width, height, bits, pixel, palette=None, top_down=False, masks=None):
    """pixel(x, y) gives (b, g, r[, a]) or a palette index."""
    rows = []
    for y in range(height):
        samples = [pixel(x, y) for x in range(width)]
        if bits in (24, 32):
            row = b"".join(bytes(s[:bits // 8]) for s in samples)
        else:
            row = pack_row(samples, bits)
        rows.append(row + b"\x00" * (-len(row) % 4))
    if not top_down:
        rows.reverse()
    pixels = b"".join(rows)
    colours = b"".join(bytes(c) + b"\x00" for c in palette) if palette else b""
    # Bit-field masks (red, green, blue, alpha) come in a version 4 header.
    extra = struct.pack("<4I", *masks) + b"BGRs" + b"\x00" * 48 if masks else b""
    info = struct.pack("<IiiHHIIiiII", 108 if masks else 40, width, -height if top_down else height, 1,
                       bits, 3 if masks else 0, len(pixels), 2835, 2835, len(palette or ()), 0)
    offset = 14 + len(info) + len(extra) + len(colours)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + extra + colours +
            pixels)


def ring(x, y, size):
    """1 inside a ring around the centre, 0 elsewhere."""
    c = (size - 1) / 2
    d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
    return 1 if size * 0.2 <= d <= size * 0.45 else 0


def pictures():
    n = 12
    return {
        "rgb8.png": png(n, n, 2, 8, lambda x, y: (x * 20, y * 20, 128)),
        "rgba8.png": png(n, n, 6, 8, lambda x, y: (255, 140, 0, ring(x, y, n) * 255)),
        "mask.png": png(n, n, 6, 8, lambda x, y: (255, 255, 255, ring(x, y, n) * 200)),
        "gray1.png": png(n, n, 0, 1, lambda x, y: (ring(x, y, n),)),
        "gray8.png": png(n, n, 0, 8, lambda x, y: ((x + y) * 10,)),
        "gray-alpha16.png": png(n, n, 4, 16, lambda x, y: (x * 5000, ring(x, y, n) * 65535)),
        "palette4-trns.png": png(n, n, 3, 4, lambda x, y: ((x + y) % 4,),
                                 palette=[(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)],
                                 trns=b"\x00\xff\x80"),
        "rgba16-interlaced.png": png(n, n, 6, 16, lambda x, y: (x * 5000, y * 5000, 30000, 40000),
                                     interlace=True),
        "rgb24.bmp": bmp(n, n, 24, lambda x, y: (x * 20, y * 20, 200)),
        "rgb24-top-down.bmp": bmp(5, 3, 24, lambda x, y: (0, 0, 255) if x == y else (255, 255, 255),
                                  top_down=True),
        "bgra32-bitfields.bmp": bmp(n, n, 32, lambda x, y: (0, 140, 255, ring(x, y, n) * 255),
                                    masks=(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)),
        "palette8.bmp": bmp(n, n, 8, lambda x, y: (x * n + y) % 3,
                            palette=[(0, 0, 0), (0, 200, 255), (255, 255, 255)]),
        "palette1.bmp": bmp(9, 5, 1, lambda x, y: (x + y) % 2, palette=[(0, 0, 0), (255, 255, 255)]),
    }


# ---- archives ---------------------------------------------------------------

def zip_of(entries, compression=zipfile.ZIP_DEFLATED, comment=b"", zip64=False, folders=()):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", compression) as archive:
        archive.comment = comment
        for folder in folders:
            archive.writestr(zipfile.ZipInfo(folder), b"")
        for name, data in entries.items():
            with archive.open(zipfile.ZipInfo(name), "w", force_zip64=zip64) as member:
                member.write(data)
    return buffer.getvalue()


def archives(p):
    pair = {"1.png": p["rgb8.png"], "2.bmp": p["palette8.bmp"]}
    good = zip_of(pair)
    # The first member's stored CRC, changed: the bytes no longer match it.
    bad_crc = bytearray(good)
    bad_crc[14] ^= 0xFF
    return {
        "deflated.zip": good,
        "stored.zip": zip_of({"1.png": p["rgba8.png"], "-3.png": p["mask.png"]}, zipfile.ZIP_STORED),
        "zip64.zip": zip_of({"0.png": p["gray1.png"]}, zip64=True),
        "folders-comment.zip": zip_of({"pictures/4.png": p["gray8.png"], "4.png": p["palette4-trns.png"],
                                       "4.bmp": p["rgb24.bmp"]},
                                      comment=b"numbered pictures", folders=("pictures/",)),
        "bad-crc.zip": bytes(bad_crc),
        "truncated.zip": good[: len(good) * 2 // 3],
        "empty.zip": zip_of({}),
    }


# ---- messages ---------------------------------------------------------------

def cp932(text):
    return text.encode("cp932")


def as_sent(text):
    """Line breaks become <R>, as quenta-render sends a message file."""
    return "<R>".join(text.rstrip("\n").split("\n"))


def step(instruction, text):
    """A further SetText: NUL, the instruction byte, the text."""
    return b"\x00" + bytes([instruction]) + cp932(text)


MESSAGES = {
    "greeting.txt": "<S28><C255,255,160>こんにちは、世界！</C></S><R>ＭＳ ゴシックの全角文字とｶﾀｶﾅ",
    "every-tag.txt": ("<B>太字</B><E><EC200,0,0>縁</EC></E><K><KC0,0,128>影</KC></K>"
                      "<C255,0,0,0,0,255>虹</C><CE320>中央</CE><F1>明朝</F><F2>無</F>"
                      "<SPW4>間</SPW><SPH8>行<R>間</SPH><W3>幅</W><S8>小</S><S255>大</S><CR>元"),
    "pictures.txt": "絵<G1><G2><C255,128,0><G3></C><G4><G5><G-1><G0><G99><G2147483647>",
    "extreme-pictures.txt": "<CE320><G6><G7><R><SPW9><G8><G8></SPW><R><S1>小<G6></S></CE>",
    "errors.txt": "<C1,2><S><G><EC1,2,3<KC>>>< <<B> </X> <S99999999999>",
    "stacks.txt": "<S40><S30><S20>あ</S>い</S>う</S>え</S>" + "<C1,2,3>" * 8 + "お" + "</C>" * 9,
    "gradient-bold-edge.txt": "<S64><B><E><K><C255,255,255,255,0,0>漢字かな</C></K></E></B>",
    "half-lead.txt": "末尾の先行バイト",
}


def messages():
    seeds = {name: cp932(text) + (b"\x82" if name == "half-lead.txt" else b"")
             for name, text in MESSAGES.items()}
    for example in sorted(EXAMPLES.glob("*.txt")):
        seeds["example-" + example.name] = cp932(as_sent(example.read_text(encoding="utf-8")))
    # Several SetText calls: kept without Clear, cleared, and drawn between.
    seeds["steps-append.bin"] = cp932("<S30>一行目") + step(0, "<R>二行目</S>") + step(0, "三行目")
    seeds["steps-clear-draw.bin"] = (cp932("<C255,0,0>赤") + step(1, "消えた後") +
                                     step(2 | (3 << 2), "<G2>描いた後") + step(3 | (6 << 2), "</C>"))
    seeds["steps-empty.bin"] = b"\x00\x00\x00\x01" + cp932("<R>")
    return seeds


def archive_folder(p):
    """One picture of each kind, and three of extreme shapes for the layout."""
    return {"1.png": p["rgb8.png"], "2.png": p["rgba8.png"], "3.png": p["mask.png"],
            "4.bmp": p["rgb24.bmp"], "5.bmp": p["bgra32-bitfields.bmp"], "-1.png": p["gray8.png"],
            "6.png": png(1, 1, 2, 8, lambda x, y: (255, 0, 0)),
            "7.png": png(2048, 1, 6, 8, lambda x, y: (0, 0, 255, x % 256)),
            "8.png": png(1, 2048, 6, 8, lambda x, y: (255, 255, 255, y % 256))}


def write(folder, files):
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (folder / name).write_bytes(data)


def main():
    p = pictures()
    write(HERE / "corpus" / "picture", p)
    write(HERE / "corpus" / "archive", archives(p))
    write(HERE / "corpus" / "render", messages())
    write(HERE / "archive", archive_folder(p))


if __name__ == "__main__":
    main()
