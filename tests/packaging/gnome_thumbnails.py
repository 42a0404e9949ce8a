#!/usr/bin/env python3
"""Thumbnails made as GNOME's file manager makes them: through libgnome-desktop's thumbnail
factory, which finds the installed thumbnailer entry and runs it in bubblewrap, with only
its output folder writable and XDG_RUNTIME_DIR unset. Each file given must get a thumbnail.
The factory's warnings (such as "left files in directory") go to the standard error, which
the caller checks is empty.

Usage: gnome_thumbnails.py MIME_TYPE=FILE...
Needs python3-gi, gir1.2-gnomedesktop-3.0 and bubblewrap, and the package installed.
"""
import os
import sys

import gi

gi.require_version("GnomeDesktop", "3.0")
from gi.repository import Gio, GLib, GnomeDesktop  # noqa: E402

def main():
    factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
    failed = False
    for argument in sys.argv[1:]:
        mime, path = argument.split("=", 1)
        uri = Gio.File.new_for_path(os.path.abspath(path)).get_uri()
        mtime = int(os.stat(path).st_mtime)
        if not factory.can_thumbnail(uri, mime, mtime):
            print(f"FAILED: the factory has no thumbnailer for {path} ({mime})")
            failed = True
            continue
        try:
            picture = factory.generate_thumbnail(uri, mime, None)
        except GLib.Error as error:
            print(f"FAILED: no thumbnail of {path}: {error.message}")
            failed = True
            continue
        if picture is None or picture.get_width() < 16 or picture.get_height() < 16:
            print(f"FAILED: no picture for {path}")
            failed = True
            continue
        print(f"{path}: a thumbnail of {picture.get_width()}x{picture.get_height()}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
