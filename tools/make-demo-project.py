#!/usr/bin/env python3
"""Lays the demo CD out as a designer project in a working layout.

    tools/make-demo-project.py <demo-cd folder> <project folder>

The project folder gets an AUTORUN.INF (so the designer's stored paths are
relative to it wherever it lies), the project "projekt/DEMO.KLV", its
sub-window files under "okna/", pictures under "obrazy/", sounds under
"dzwieki/", data files under "dane/" and texts under "teksty/". What the
data files name keeps its folder: "PROGRAMY/", "OPISY/" and "ZRZUTY/". Open DEMO.KLV in
dodorurav and press Ctrl+F9 to generate a CD folder from it.
"""
import os
import shutil
import sys

KINDS = {
    ".BMP": "obrazy", ".WAV": "dzwieki", ".MID": "dzwieki", ".MP3": "dzwieki",
    ".RV3": "dane", ".RV2": "dane", ".TXT": "teksty", ".INI": "okna", ".SBL": "okna",
}


def find_ci(root, stored):
    """The file a stored path names below root, matched without regard to case."""
    path = root
    for part in stored.replace("\\", "/").split("/"):
        if not part:
            continue
        try:
            entries = os.listdir(path)
        except OSError:
            return None
        match = next((e for e in entries if e.lower() == part.lower()), None)
        if match is None:
            return None
        path = os.path.join(path, match)
    return path if os.path.isfile(path) else None


class Layout:
    def __init__(self, cd, out):
        self.cd, self.out = cd, out
        self.placed = {}  # source file -> stored path in the project
        self.taken = {}   # folded stored path -> source file

    def place(self, source):
        if source in self.placed:
            return self.placed[source]
        name = os.path.basename(source)
        folder = KINDS.get(os.path.splitext(name)[1].upper())
        if folder is None:
            return None
        stored = folder + "\\" + name
        if stored.lower() in self.taken:
            # Two files of one name (each window has its own background):
            # the later one is told apart by its folder.
            parent = os.path.basename(os.path.dirname(source))
            stored = folder + "\\" + parent + "_" + name
        self.taken[stored.lower()] = source
        self.placed[source] = stored
        target = os.path.join(self.out, stored.replace("\\", "/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if folder == "okna":
            self.rewrite(source, target)
        else:
            shutil.copyfile(source, target)
        return stored

    def rewrite(self, source, target):
        """A profile file with every value that names a file moved to its new place."""
        with open(source, "rb") as f:
            lines = f.read().decode("cp1250").splitlines()
        out = []
        for line in lines:
            key, sep, value = line.partition("=")
            if sep and not line.lstrip().startswith((";", "[")):
                found = find_ci(self.cd, value.strip())
                stored = self.place(found) if found else None
                if stored:
                    line = key + "=" + stored
            out.append(line)
        with open(target, "wb") as f:
            f.write(("\r\n".join(out) + "\r\n").encode("cp1250"))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    cd, out = sys.argv[1], sys.argv[2]
    if os.path.exists(out):
        shutil.rmtree(out)
    os.makedirs(out)
    with open(os.path.join(out, "AUTORUN.INF"), "wb") as f:
        f.write(b"[autorun]\r\n")
    layout = Layout(cd, out)
    project = find_ci(cd, "ORVANTA.INI")
    layout.taken["projekt\\demo.klv"] = project
    layout.placed[project] = "projekt\\DEMO.KLV"
    os.makedirs(os.path.join(out, "projekt"))
    layout.rewrite(project, os.path.join(out, "projekt", "DEMO.KLV"))
    # What the data files name keeps its place: programs, descriptions and
    # screenshots.
    for folder in ("PROGRAMY", "OPISY", "ZRZUTY"):
        source = os.path.join(cd, folder)
        if os.path.isdir(source):
            shutil.copytree(source, os.path.join(out, folder))
    print(os.path.join(out, "projekt", "DEMO.KLV"))


if __name__ == "__main__":
    main()
