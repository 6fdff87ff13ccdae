#!/usr/bin/env python3
"""Derives kanatsumugi-cli's knowledge of Japanese from three Debian dictionaries.

Downloads unidic-mecab, mecab-ipadic and naist-jdic with `apt-get download` (nothing is
installed), unpacks them with `dpkg-deb -x` and writes, beside this script:

  natural-model.bin      a character trigram model of loanword readings (UniDic, word
                         origin 外), interpolated modified Kneser-Ney, as a dense table
  heldout-loanwords.txt  the loanword readings kept out of training, for the quality bench
  words.bin              every reading of 2 to 7 kana that the generator can spell, as
                         sorted 64-bit numbers (length, then six bits a kana), so that
                         the program reads it in a few milliseconds
  NOTICE                 the dictionaries' copyright notices
  natural-cuts.txt       score thresholds of the presets (top 50 / 25 / 10 / 1 %) and
                         percentiles, per name length and ending (a small kana and its
                         partner last, or not), over every name of eight days pooled: the
                         random-length day and the days of -l 2 to 8; written by the C++
                         tool `natural_day` of the build tree, which draws them with the
                         real generator

Usage: data/words/derive.py [--dicts DIR] [--build-dir build]
  --dicts DIR   reuse packages already unpacked there (one folder per package)
unidic-mecab is a 1 GB download; the derived files are committed, so no build needs it.
"""

import argparse
import csv
import glob
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
from collections import defaultdict
from pathlib import Path

HERE = Path(__file__).resolve().parent
PACKAGES = ["unidic-mecab", "mecab-ipadic", "naist-jdic"]

# The generator's inventory in index order; see src/generator/KanaTables.cpp.
INVENTORY = ("アイウエオカキクケコサシスセソタチツテトラリルレロヤユヨワンヴガギグゲゴ"
             "ザジズゼゾダヂヅデドバビブベボァィゥェォャュョッー")
INITIAL_COUNT = 51
FIRST_SMALL, LAST_SMALL = 51, 58
_A = [2, 7, 12, 17, 22, 0, 5, 10, 15, 20, 25, 28, 30, 31, 33, 35, 36, 41, 43, 46, 50]
_I = [2, 12, 17, 30, 32, 37, 42, 43, 47]
_U = [2, 7, 17, 12, 14, 17, 19, 22, 26, 33, 38, 40, 43, 48]
_E = [1, 2, 5, 8, 11, 12, 13, 16, 17, 18, 23, 30, 32, 34, 38, 39, 42, 43, 44, 45, 49, 50]
_O = [2, 7, 9, 12, 14, 17, 19, 24, 27, 30, 35, 38, 40, 43, 45, 48, 50]
_Y = [6, 11, 16, 17, 21, 32, 37, 42, 43, 47]
PARTNERS = {51: set(_A), 52: set(_I), 53: set(_U), 54: set(_E), 55: set(_O),
            56: set(_Y), 57: set(_Y), 58: set(_Y)}
INDEX = {kana: i for i, kana in enumerate(INVENTORY)}

# Model symbols: 0-60 the inventory, 61 the boundary (start context, end of name),
# 62 any other katakana, so that every reading can be scored.
BOUNDARY, OTHER, SYMBOLS = 61, 62, 63
SCALE = 1000  # table entries are log-probabilities in thousandths of a nat
MAX_WORD_KANA = 7
HELD_OUT_SHARE = 0.1
FIXED_NAMES = ["グリュート", "バイエット", "タビュール", "ヅヅヅォ", "ンヅョヅョ", "アイ", "バカ"]

assert len(INVENTORY) == 61


def katakana(text):
    """The text with hiragana read as katakana, or None if anything else is in it."""
    out = []
    for ch in text:
        code = ord(ch)
        if 0x3041 <= code <= 0x3096:
            code += 0x60
        if not (0x30A1 <= code <= 0x30FA or code == 0x30FC):
            return None
        out.append(chr(code))
    return "".join(out) or None


def spellable(reading):
    """Whether the generator can make `reading` as a whole name (ignoring its length)."""
    indices = [INDEX.get(ch, -1) for ch in reading]
    if not indices or min(indices) < 0 or indices[0] >= INITIAL_COUNT:
        return False
    for at, index in enumerate(indices):
        if FIRST_SMALL <= index <= LAST_SMALL:
            # The partner comes after the first kana, so a small kana stands third or later.
            if at < 2 or indices[at - 1] not in PARTNERS[index]:
                return False
    return True


def packed(reading):
    """A reading as one number: its length, then six bits a kana, first kana highest."""
    key = len(reading)
    for ch in reading:
        key = key << 6 | INDEX[ch]
    return key


def symbols(reading):
    return [INDEX.get(ch, OTHER) for ch in reading]


# ---------------------------------------------------------------- dictionaries

def fetch(work):
    subprocess.run(["apt-get", "download", *PACKAGES], cwd=work, check=True)
    for package in PACKAGES:
        debs = glob.glob(os.path.join(work, package + "_*.deb"))
        subprocess.run(["dpkg-deb", "-x", debs[0], os.path.join(work, package)], check=True)


def unidic_rows(root):
    path = Path(root, "unidic-mecab/usr/share/mecab/dic/unidic/lex_3_1.csv")
    with open(path, encoding="utf-8", newline="") as f:
        for row in csv.reader(f):
            if len(row) > 24:
                yield row[16], row[24]


def ipadic_readings(root):
    for path in sorted(glob.glob(os.path.join(root, "mecab-ipadic/usr/share/mecab/dic/ipadic/*.csv"))):
        with open(path, encoding="euc_jp", errors="replace", newline="") as f:
            for row in csv.reader(f):
                if len(row) > 11:
                    yield row[11]


def naist_readings(root):
    path = Path(root, "naist-jdic/usr/share/chasen/dic/naist-jdic/naist-jdic.dic")
    with open(path, encoding="euc_jp", errors="replace") as f:
        for line in f:
            at = line.find("(読み ")
            if at >= 0:
                yield line[at + 4:line.index(")", at)].strip()


def notices(root):
    """Each package's own copyright file, as Debian ships it."""
    parts = []
    for package in PACKAGES:
        text = Path(root, package, "usr/share/doc", package, "copyright").read_text(encoding="utf-8")
        parts.append(f"==> {package} (Debian package; kanatsumugi ships data derived from it)\n\n{text}")
    return "\n".join(parts)


# ---------------------------------------------------------------- the model

def discounts(counts):
    """Modified Kneser-Ney discounts D1, D2, D3+ from a collection of counts."""
    n = [0] * 5
    for c in counts:
        if c <= 4:
            n[c] += 1
    if min(n[1:]) == 0:  # too few kinds of gram to estimate from: the usual defaults
        return [0.0, 0.5, 1.0, 1.5]
    y = n[1] / (n[1] + 2 * n[2])
    return [0.0, 1 - 2 * y * n[2] / n[1], 2 - 3 * y * n[3] / n[2], 3 - 4 * y * n[4] / n[3]]


def discount(d, count):
    return d[min(count, 3)] if count > 0 else 0.0


class KneserNey:
    """Interpolated modified Kneser-Ney over character trigrams, with an end mark."""

    def p1(self, c):
        count = self.uni.get(c, 0)
        return max(count - discount(self.d1, count), 0) / self.uni_total + self.uni_gamma / SYMBOLS

    def p2(self, b, c):
        total, mass = self.ctx2.get((b,), (0, 0.0))
        if total == 0:
            return self.p1(c)
        count = self.bi.get((b, c), 0)
        return (max(count - discount(self.d2, count), 0) + mass * self.p1(c)) / total

    def p3(self, a, b, c):
        total, mass = self.ctx3.get((a, b), (0, 0.0))
        if total == 0:
            return self.p2(b, c)
        count = self.tri.get((a, b, c), 0)
        return (max(count - discount(self.d3, count), 0) + mass * self.p2(b, c)) / total


def train(readings):
    model = KneserNey()
    tri = defaultdict(int)
    for reading in readings:
        seq = [BOUNDARY, BOUNDARY] + symbols(reading) + [BOUNDARY]
        for i in range(2, len(seq)):
            tri[(seq[i - 2], seq[i - 1], seq[i])] += 1
    bi = defaultdict(int)
    for (a, b, c), count in tri.items():
        # A lower order counts the distinct contexts a gram follows; a gram at the start
        # has no left context, so it keeps its own count.
        bi[(b, c)] += count if a == BOUNDARY and b == BOUNDARY else 1
    uni = defaultdict(int)
    for (b, c) in bi:
        uni[c] += 1
    model.tri, model.bi, model.uni = dict(tri), dict(bi), dict(uni)
    model.d3, model.d2, model.d1 = discounts(tri.values()), discounts(bi.values()), discounts(uni.values())
    model.ctx3 = context_table(model.tri, 2, model.d3)
    model.ctx2 = context_table(model.bi, 1, model.d2)
    model.uni_total = sum(uni.values())
    model.uni_gamma = sum(discount(model.d1, c) for c in uni.values()) / model.uni_total
    return model


def context_table(grams, width, d):
    table = {}
    for key, count in grams.items():
        total, mass = table.get(key[:width], (0, 0.0))
        table[key[:width]] = (total + count, mass + discount(d, count))
    return table


def dense_table(model):
    """63 x 63 x 63 log-probabilities, thousandths of a nat, as int16 little-endian."""
    out = bytearray()
    for a in range(SYMBOLS):
        for b in range(SYMBOLS):
            for c in range(SYMBOLS):
                logp = math.log(model.p3(a, b, c))
                value = max(-32767, min(0, round(logp * SCALE)))
                out += struct.pack("<h", value)
    return bytes(out)


def table_sum(table, reading):
    seq = [BOUNDARY, BOUNDARY] + symbols(reading) + [BOUNDARY]
    total = 0
    for i in range(2, len(seq)):
        at = ((seq[i - 2] * SYMBOLS) + seq[i - 1]) * SYMBOLS + seq[i]
        total += struct.unpack_from("<h", table, at * 2)[0]
    return total


def write_checked(path, kind, payload):
    """A one-line header (kind, version, payload size, FNV-1a 64 checksum), then the payload."""
    # FNV-1a over little-endian 64-bit words, the last padded with zeros.
    h = 0xcbf29ce484222325
    padded = payload + bytes(-len(payload) % 8)
    for (word,) in struct.iter_unpack("<Q", padded):
        h = ((h ^ word) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    header = f"kanatsumugi {kind} 1 {len(payload)} {h:016x}\n".encode()
    Path(path).write_bytes(header + payload)


# ---------------------------------------------------------------- main

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dicts", help="folder with the packages already unpacked")
    parser.add_argument("--build-dir", default="build", help="the project's build tree")
    parser.add_argument("--skip-cuts", action="store_true",
                        help="leave natural-cuts.txt as it is (no build tree needed)")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as temp:
        root = args.dicts
        if root is None:
            root = temp
            fetch(root)
        derive(root)
    if not args.skip_cuts:
        write_cuts(Path(args.build_dir))


def derive(root):
    loanwords, words = set(), set()
    for origin, reading in unidic_rows(root):
        kana = katakana(reading)
        if kana is None:
            continue
        words.add(kana)
        if origin == "外":
            loanwords.add(kana)
    for reading in list(ipadic_readings(root)) + list(naist_readings(root)):
        kana = katakana(reading)
        if kana is not None:
            words.add(kana)
    print(f"loanword readings (UniDic, origin 外): {len(loanwords)}")

    ordered = sorted(loanwords)
    random.Random(17).shuffle(ordered)
    held = sorted(ordered[:int(len(ordered) * HELD_OUT_SHARE)])
    training = ordered[len(held):]
    print(f"training {len(training)}, held out {len(held)}")
    model = train(training)
    table = dense_table(model)
    write_checked(HERE / "natural-model.bin", "natural-model", table)
    (HERE / "heldout-loanwords.txt").write_text("".join(r + "\n" for r in held), encoding="utf-8")

    print("scores of fixed names (sum of table entries including the end mark; per character):")
    for name in FIXED_NAMES:
        total = table_sum(table, name)
        print(f"  {name}\t{total}\t{total / (len(name) + 1) / SCALE:.4f}")

    listed = sorted(packed(w) for w in words if 2 <= len(w) <= MAX_WORD_KANA and spellable(w))
    write_checked(HERE / "words.bin", "words", b"".join(struct.pack("<Q", k) for k in listed))
    print(f"word list: {len(listed)} readings of 2-{MAX_WORD_KANA} kana the generator can spell "
          f"(of {len(words)} readings in the three dictionaries)")
    (HERE / "NOTICE").write_text(notices(root), encoding="utf-8")


def write_cuts(build_dir):
    """The thresholds need every name of a day from the real generator: a C++ tool."""
    subprocess.run(["cmake", "--build", str(build_dir), "--target", "natural_day"], check=True)
    subprocess.run([str(build_dir / "bench" / "natural_day"), "--write-cuts", "--data", str(HERE)],
                   check=True)


if __name__ == "__main__":
    sys.exit(main())
