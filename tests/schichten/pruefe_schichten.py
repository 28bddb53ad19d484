#!/usr/bin/env python3
"""Keeps the layers of src/ apart: a source file may include headers of its
own folder and of the layers beneath it, never of a layer above it, and
folders of the same layer never include each other.

    pruefe_schichten.py SRC               check the tree; exit 1 on a violation
    pruefe_schichten.py --selbsttest SRC  show that a planted upward include fails
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

# From the bottom up.  Folders on one line form one layer.
SCHICHTEN = [
    ["platform"],
    ["base"],
    ["interaction"],
    ["store"],
    ["bank"],
    ["fees"],
    ["lists"],
    ["debits"],
    ["transfer"],
    ["share"],
    ["app"],
    ["views"],
    ["qtdruck"],
    ["gui", "cli"],
]
RANG = {ordner: i for i, schicht in enumerate(SCHICHTEN) for ordner in schicht}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def pruefe(src: pathlib.Path) -> list[str]:
    fehler = []
    for ordner in sorted(p.name for p in src.iterdir() if p.is_dir()):
        if ordner not in RANG:
            fehler.append(f"{ordner}/: Ordner ohne Schicht; tragen Sie ihn in SCHICHTEN ein")
    for datei in sorted(src.rglob("*")):
        if datei.suffix not in (".h", ".cpp") or not datei.is_file():
            continue
        ordner = datei.relative_to(src).parts[0]
        if ordner not in RANG:
            continue
        for zeile, ziel in ((m.string.count("\n", 0, m.start()) + 1, m.group(1))
                            for m in INCLUDE.finditer(datei.read_text(encoding="utf-8"))):
            teile = pathlib.PurePosixPath(ziel).parts
            if len(teile) < 2:
                continue  # a header beside the file
            zielordner = teile[0]
            if zielordner not in RANG:
                fehler.append(f"{datei.relative_to(src)}:{zeile}: unbekannter Ordner in \"{ziel}\"")
            elif RANG[zielordner] > RANG[ordner]:
                fehler.append(f"{datei.relative_to(src)}:{zeile}: \"{ziel}\" liegt in einer höheren Schicht "
                              f"({zielordner} über {ordner})")
            elif RANG[zielordner] == RANG[ordner] and zielordner != ordner:
                fehler.append(f"{datei.relative_to(src)}:{zeile}: \"{ziel}\" liegt in derselben Schicht "
                              f"({zielordner} neben {ordner})")
    return fehler


def selbsttest(src: pathlib.Path) -> int:
    """Plants an upward include into a copy of the tree; the check must fail."""
    with tempfile.TemporaryDirectory() as tmp:
        kopie = pathlib.Path(tmp) / "src"
        shutil.copytree(src, kopie)
        if pruefe(kopie):
            print("Selbsttest: der unveränderte Baum verletzt die Schichten schon")
            return 1
        opfer = kopie / "store" / "ZAQ.cpp"
        opfer.write_text('#include "views/Hauptfenster.h"\n' + opfer.read_text(encoding="utf-8"), encoding="utf-8")
        ergebnis = subprocess.run([sys.executable, __file__, str(kopie)], capture_output=True, text=True)
        print(ergebnis.stdout, end="")
        if ergebnis.returncode != 1 or "store/ZAQ.cpp:1" not in ergebnis.stdout:
            print("Selbsttest: das geplante Include nach oben wurde nicht erkannt")
            return 1
    print("Selbsttest bestanden: ein Include nach oben lässt die Prüfung scheitern")
    return 0


def main() -> int:
    argumente = sys.argv[1:]
    if argumente and argumente[0] == "--selbsttest":
        return selbsttest(pathlib.Path(argumente[1]))
    fehler = pruefe(pathlib.Path(argumente[0]))
    for f in fehler:
        print(f)
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
