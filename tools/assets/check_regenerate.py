#!/usr/bin/python3
"""Regenerates the pictures, the font and the levels into a temporary folder and compares
them byte for byte with the files in Assets/. Run from the repository root.

Fails when a generator is not deterministic, when someone edited a PNG by hand
instead of its source, or when a committed picture has no generator.
"""
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import generate_all  # noqa: E402


def main():
    repo = Path.cwd()
    faults = []
    with tempfile.TemporaryDirectory() as tmp:
        written = generate_all.generate(tmp)
        again = Path(tmp) / "again"
        generate_all.generate(again)
        for rel in written:
            fresh = (Path(tmp) / rel).read_bytes()
            if fresh != (again / rel).read_bytes():
                faults.append(f"{rel}: two runs give different bytes")
            committed = repo / rel
            if not committed.is_file():
                faults.append(f"{rel}: generated but not in the repository")
            elif committed.read_bytes() != fresh:
                faults.append(f"{rel}: differs from its regenerated version")
    made = set(written)
    for path in sorted((repo / "Assets").rglob("*")):
        rel = path.relative_to(repo).as_posix()
        generated_kind = path.suffix.lower() in (".png", ".ttf", ".bmp") or rel.startswith("Assets/Levels/")
        if generated_kind and rel not in made:
            faults.append(f"{rel}: no generator makes it")
    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print(f"ok: {len(written)} files regenerate identically")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
