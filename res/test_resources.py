#!/usr/bin/env python3
"""Checks the resource sources without Windows: the icons are what
tools/make_icons.py draws and are well-formed, every icon id has its ICON line,
and the initial menu converts to a data file that Tolvane's own writer would
produce byte for byte.

    python3 res/test_resources.py [--tvtool PATH]

Exit status 0 when everything passes; each failure names the file and what it saw.
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile

RES = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(RES)
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def parse_ico(path):
    """[(size, rows of (r, g, b, a), rows of mask bits)] read independently of the writer."""
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon directory (reserved %d, type %d, count %d)" % (reserved, kind, count))
    images = []
    for i in range(count):
        w, h, colors, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = w or 256
        if w != h or colors != 0 or planes != 1 or bits != 32:
            raise ValueError("entry %d: %dx%d, %d colours, %d planes, %d bits" % (i, w, h, colors, planes, bits))
        if offset + length > len(data):
            raise ValueError("entry %d runs past the end of the file" % i)
        hdr = struct.unpack_from("<IiiHHI", data, offset)
        if hdr != (40, size, 2 * size, 1, 32, 0):
            raise ValueError("entry %d: bitmap header %r" % (i, hdr))
        stride = ((size + 31) // 32) * 4
        if length != 40 + size * size * 4 + size * stride:
            raise ValueError("entry %d: %d bytes, expected %d" % (i, length, 40 + size * size * 4 + size * stride))
        pixels = offset + 40
        mask = pixels + size * size * 4
        rows, bits_rows = [], []
        for y in range(size):
            src = size - 1 - y  # both bitmaps are stored bottom-up
            row = []
            for x in range(size):
                b, g, r, a = data[pixels + (src * size + x) * 4: pixels + (src * size + x) * 4 + 4]
                row.append((r, g, b, a))
            rows.append(row)
            bits_rows.append([(data[mask + src * stride + x // 8] >> (7 - x % 8)) & 1 for x in range(size)])
        images.append((size, rows, bits_rows))
    return images


def check_icons():
    result = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_icons.py"), "--check"],
                            capture_output=True, text=True)
    if result.returncode != 0:
        fail("res/icons differ from tools/make_icons.py: " + result.stderr.strip())

    header = open(os.path.join(RES, "resource.h")).read()
    script = open(os.path.join(RES, "tolvane.rc")).read()
    ids = dict((name, int(value)) for name, value in re.findall(r"#define\s+(IDI_\w+)\s+(\d+)", header))
    icon_lines = dict(re.findall(r"^(IDI_\w+)\s+ICON\s+\"([^\"]+)\"", script, re.M))
    wanted = {102, 103, 109, 110, 111, 112, 113, 114, 117, 127, 128, 129, 130, 131, 142, 143, 144, 145, 149,
              105, 106, 107, 108, 118, 121, 123, 124, 133, 146, 147, 150}  # the last row: editor tool buttons
    if set(ids.values()) != wanted:
        fail("resource.h icon numbers: extra %s, missing %s"
             % (sorted(set(ids.values()) - wanted), sorted(wanted - set(ids.values()))))
    if len(set(ids.values())) != len(ids):
        fail("resource.h gives two icons the same number")
    for name, number in sorted(ids.items(), key=lambda item: item[1]):
        if name not in icon_lines:
            fail("tolvane.rc has no ICON line for %s (%d)" % (name, number))
            continue
        path = os.path.join(RES, icon_lines[name])
        try:
            images = parse_ico(path)
        except (OSError, ValueError, struct.error) as error:
            fail("%s: %s" % (icon_lines[name], error))
            continue
        sizes = sorted(size for size, _, _ in images)
        expected = [16, 32] if number in (102, 103) else [16]
        if sizes != expected:
            fail("%s: sizes %s, expected %s" % (icon_lines[name], sizes, expected))
        for size, rows, mask in images:
            alphas = [p[3] for row in rows for p in row]
            if not any(a == 255 for a in alphas) or not any(a == 0 for a in alphas):
                fail("%s %dx%d: needs both opaque and transparent pixels" % (icon_lines[name], size, size))
            # Code that ignores alpha draws what the mask lets through.
            for y in range(size):
                for x in range(size):
                    if mask[y][x] != (1 if rows[y][x][3] < 128 else 0):
                        fail("%s %dx%d: mask bit at (%d,%d) disagrees with alpha %d"
                             % (icon_lines[name], size, size, x, y, rows[y][x][3]))
                        break
                else:
                    continue
                break
    app = parse_ico(os.path.join(RES, "icons", "app.ico"))
    active = parse_ico(os.path.join(RES, "icons", "active.ico"))
    if [rows for _, rows, _ in app] == [rows for _, rows, _ in active]:
        fail("the active icon looks exactly like the application icon")


def check_initial_menu(tvtool):
    source = os.path.join(RES, "org_text_utf8.ini")
    raw = open(source, "rb").read()
    lines = raw.split(b"\r\n")
    if lines[-1] != b"" or any(b"\n" in line or b"\r" in line for line in lines):
        fail("org_text_utf8.ini: every line must end in CR LF, the last one included")
    header = ("0\tメニュー\t---ダイレクト設定編集 ワンポイント---データはタブ1つ区切りです(タブ複数不可)．"
              "数字データは触らないでください（＾＾；(動作を保証できません)\t1568\t0\t0").encode("utf-8")
    if lines[0] != header:
        fail("org_text_utf8.ini: first line is not the header with Ctrl+Alt+Space (1568)")

    with tempfile.TemporaryDirectory() as work:
        converted = os.path.join(work, "org_text.ini")
        with open(converted, "wb") as out:
            if subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932", source], stdout=out).returncode != 0:
                fail("org_text_utf8.ini holds characters code page 932 does not have")
                return
        data = open(converted, "rb").read()
        if not re.search(rb"[\x81-\x9f\xe0-\xfc]\x5c", data):
            fail("org_text.ini has no character with trail byte 0x5C to keep the escaping honest")
        if tvtool is None:
            return
        result = subprocess.run([tvtool, "check", converted], capture_output=True)
        if result.returncode != 0:
            fail("tvtool check org_text.ini: %s" % result.stderr.decode("cp932", "replace").strip())
        rewritten = os.path.join(work, "rewritten.ini")
        result = subprocess.run([tvtool, "rewrite", converted, rewritten], capture_output=True)
        if result.returncode != 0:
            fail("tvtool rewrite org_text.ini: %s" % result.stderr.decode("cp932", "replace").strip())
        elif open(rewritten, "rb").read() != data:
            fail("org_text.ini is not in the form the writer produces (tvtool rewrite changes it)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tvtool", help="native tvtool, to read and rewrite the initial menu")
    args = parser.parse_args()
    check_icons()
    check_initial_menu(args.tvtool)
    print("test_resources: %s" % ("%d failed" % len(failures) if failures else "all passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
