#!/usr/bin/python3
"""Reads ZUNO's windows through the accessibility tree, as a screen reader
does: labels, the window title, the editor's text and the Result Grid's cells.

  screen_reader.py title
  screen_reader.py label PREFIX            the first label whose text starts with PREFIX
  screen_reader.py wait-label PREFIX SECONDS
  screen_reader.py text NAME               the text of the field named NAME (e.g. "SQL editor")
  screen_reader.py grid                    titles, then one line per row; cells joined by tabs
  screen_reader.py cell ROW COLUMN         screen x and y of the cell's centre
  screen_reader.py dialog                  the text of an open message box, if any
  screen_reader.py item NAME               screen x and y of the centre of the showing menu item NAME
  screen_reader.py button CAPTION          screen x and y of the centre of the showing button CAPTION
  screen_reader.py frame TITLE             succeeds while a window of the program has that title
  screen_reader.py set-text NAME TEXT      types TEXT into the field named NAME, as a screen reader user does
  screen_reader.py press CAPTION [TITLE]   presses the showing button CAPTION (in the window titled TITLE)
  screen_reader.py layout TITLE            the client size of the window titled TITLE, then each control's
                                           name and x, y, w, h in that client area, one per line, tab-separated
                                           (a control is what has a name inside the containers, which have none)

Fields and buttons are reached through the accessibility actions alone, so
this works where no input can be simulated (a compositor without a seat).
"""
import signal
import sys
import time

import pyatspi


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "zuno":
            return a
    sys.exit("zuno is not on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(predicate):
    for node in walk(app()):
        try:
            if predicate(node):
                return node
        except Exception:
            pass
    return None


def frames():
    return [n for n in app() if n is not None and n.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG,
                                                                  pyatspi.ROLE_ALERT, pyatspi.ROLE_WINDOW)]


def window(title):
    for f in frames():
        if f.name == title and f.getState().contains(pyatspi.STATE_SHOWING):
            return f
    sys.exit("no window " + title)


def showing_button(root, caption):
    for n in walk(root):
        try:
            if (n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name.replace("_", "") == caption.replace("_", "")
                    and n.getState().contains(pyatspi.STATE_SHOWING)):
                return n
        except Exception:
            pass
    return None


def client_area(window):
    """The container all the controls stand in: the window's own child that
    holds its buttons."""
    buttons = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    for b in reversed(buttons):
        node = b
        while node.parent is not None and node.parent.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG,
                                                                          pyatspi.ROLE_WINDOW):
            node = node.parent
        if node.parent is not None:
            return node
    sys.exit("no client area")


def controls(node):
    """The named controls inside the containers under node, which have no names."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None or not child.getState().contains(pyatspi.STATE_VISIBLE):
            continue
        if child.name:
            yield child
        else:
            yield from controls(child)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return e.x, e.y, e.width, e.height


def label(prefix):
    node = find(lambda n: n.getRole() == pyatspi.ROLE_LABEL and n.name.startswith(prefix))
    return node.name if node else None


def grid_table():
    """The Result Grid of the page in front: the others are not showing. A
    page that has just come to the front shows once the window has drawn it."""
    end = time.time() + 10
    while True:
        node = find(lambda n: n.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE)
                    and n.name == "Result Grid" and n.getState().contains(pyatspi.STATE_SHOWING))
        if node is not None:
            return node.queryTable()
        if time.time() > end:
            sys.exit("no Result Grid")
        time.sleep(0.1)


def main(argv):
    command = argv[1]
    if command == "title":
        frame = find(lambda n: n.getRole() == pyatspi.ROLE_FRAME)
        print(frame.name)
    elif command == "label":
        text = label(argv[2])
        if text is None:
            sys.exit("no label " + argv[2])
        print(text)
    elif command == "wait-label":
        end = time.time() + float(argv[3])
        while time.time() < end:
            text = label(argv[2])
            if text is not None:
                print(text)
                return
            time.sleep(0.1)
        sys.exit("no label " + argv[2])
    elif command == "text":
        node = find(lambda n: n.name == argv[2] and n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
        t = node.queryText()
        print(t.getText(0, -1))
    elif command == "grid":
        table = grid_table()
        titles = [table.getColumnHeader(c).name for c in range(table.nColumns)]
        print("\t".join(titles))
        for r in range(table.nRows):
            print("\t".join(table.getAccessibleAt(r, c).name for c in range(table.nColumns)))
    elif command == "cell":
        table = grid_table()
        cell = table.getAccessibleAt(int(argv[2]), int(argv[3]))
        e = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x + e.width // 2, e.y + e.height // 2)
    elif command in ("item", "button"):
        role = pyatspi.ROLE_MENU_ITEM if command == "item" else pyatspi.ROLE_PUSH_BUTTON
        node = find(lambda n: n.getRole() == role and n.name.replace("_", "") == argv[2].replace("_", "")
                    and n.getState().contains(pyatspi.STATE_SHOWING))
        if node is None:
            sys.exit("no menu item " + argv[2])
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x + e.width // 2, e.y + e.height // 2)
    elif command == "frame":
        window(argv[2])
    elif command == "set-text":
        node = find(lambda n: n.name == argv[2] and n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
                                                                    pyatspi.ROLE_PASSWORD_TEXT))
        if node is None:
            sys.exit("no field " + argv[2])
        if not node.queryEditableText().setTextContents(argv[3]):
            sys.exit("the field " + argv[2] + " takes no text")
    elif command == "press":
        node = showing_button(window(argv[3]) if len(argv) > 3 else app(), argv[2])
        if node is None:
            sys.exit("no button " + argv[2])
        node.queryAction().doAction(0)
    elif command == "layout":
        area = client_area(window(argv[2]))
        ax, ay, aw, ah = extents(area)
        print("client\t0\t0\t%d\t%d" % (aw, ah))
        for child in controls(area):
            x, y, w, h = extents(child)
            print("%s\t%d\t%d\t%d\t%d" % (child.name, x - ax, y - ay, w, h))
    elif command == "dialog":
        node = find(lambda n: n.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG))
        if node is None:
            sys.exit("no dialog")
        labels = [n.name for n in walk(node) if n.getRole() == pyatspi.ROLE_LABEL and n.name]
        print("\n".join(labels))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)  # a reader that stops early is no error
    main(sys.argv)
