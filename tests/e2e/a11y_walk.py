#!/usr/bin/python3
"""Walks one window of a running program as a screen reader sees it (AT-SPI) and lists
every control a user operates that has no accessible name, with its role and its path.

  a11y_walk.py PID TITLE [--dump] [--wait SECONDS]

TITLE is the window's accessible name (its title). The whole tree is walked, hidden
parts included, so every page of a wizard is checked while one is shown. List items and
table cells count as controls too: a row a screen reader cannot read is as bad as a
button it cannot name. Exit status: 0 when every control has a name, 1 when some have
none (one line each), 2 when the window does not appear in time.
"""
import argparse
import sys
import time

import pyatspi

R = pyatspi
CONTROLS = {
    R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
    R.ROLE_COMBO_BOX, R.ROLE_TEXT, R.ROLE_ENTRY, R.ROLE_PASSWORD_TEXT, R.ROLE_SPIN_BUTTON,
    R.ROLE_DATE_EDITOR, R.ROLE_LIST, R.ROLE_LIST_BOX, R.ROLE_TABLE, R.ROLE_TREE_TABLE,
    R.ROLE_TREE, R.ROLE_LIST_ITEM, R.ROLE_TABLE_CELL,
}
# A combo box's drop-down list and a scroll bar's buttons are parts of one control; the
# control itself is checked.
PARTS_OF = {R.ROLE_COMBO_BOX, R.ROLE_SCROLL_BAR}


def name_of(acc):
    """What a screen reader says for the control: its name, else the label it is labelled by
    (a combo box's name on this platform is its current text, so only its label counts)."""
    labels = []
    try:
        for rel in acc.getRelationSet():
            if rel.getRelationType() == R.RELATION_LABELLED_BY:
                labels += [rel.getTarget(i).name for i in range(rel.getNTargets())]
    except Exception:
        pass
    label = " ".join(l for l in labels if l)
    if acc.getRole() == R.ROLE_COMBO_BOX:
        return label or (acc.description or "")
    return acc.name or label


def children(acc):
    for i in range(acc.childCount):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:  # gone while walked (a window closing)
            child = None
        if child is not None:
            yield child


def walk(acc, path, out, dump):
    role = acc.getRole()
    here = f"{path} > {acc.getRoleName()}" + (f" '{acc.name}'" if acc.name else "")
    if dump:
        print(f"{here}  [name={name_of(acc)!r} description={acc.description!r}]")
    if role in CONTROLS and not name_of(acc).strip():
        out.append(f"nameless {acc.getRoleName()}: {here}")
    if role in PARTS_OF:
        return
    for child in children(acc):
        walk(child, here, out, dump)


def find_window(pid, title, wait):
    end = time.monotonic() + wait
    while True:
        desktop = R.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() != pid:
                    continue
            except Exception:
                continue
            for win in children(app):
                if win.name == title:
                    return win
        if time.monotonic() > end:
            return None
        time.sleep(0.3)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("pid", type=int)
    ap.add_argument("title")
    ap.add_argument("--dump", action="store_true", help="print the whole tree")
    ap.add_argument("--wait", type=float, default=15)
    a = ap.parse_args()
    win = find_window(a.pid, a.title, a.wait)
    if win is None:
        print(f"no window '{a.title}' of process {a.pid} in the accessibility tree", file=sys.stderr)
        return 2
    out = []
    walk(win, "", out, a.dump)
    for line in out:
        print(line)
    print(f"{a.title}: {len(out)} nameless control(s)", file=sys.stderr)
    return 1 if out else 0


if __name__ == "__main__":
    sys.exit(main())
