"""Prints the labels of a dbusmenu the way a GLib host sees them: one line per
top-level item, "---" for a separator, "(disabled)" after a disabled label.

Usage: dbusmenu_labels.py SERVICE OBJECT_PATH (on DBUS_SESSION_BUS_ADDRESS).
"""
import sys

import gi

gi.require_version("Dbusmenu", "0.4")
from gi.repository import Dbusmenu, GLib  # noqa: E402

service, path = sys.argv[1], sys.argv[2]
client = Dbusmenu.Client.new(service, path)
loop = GLib.MainLoop()
lines = []


def read_menu(*_):
    root = client.get_root()
    if root is None or not root.get_children():
        return
    lines.clear()
    for item in root.get_children():
        if item.property_get("type") == "separator":
            lines.append("---")
        else:
            label = item.property_get("label")
            lines.append(label if item.property_get_bool("enabled") else label + " (disabled)")
    loop.quit()


client.connect("layout-updated", read_menu)
client.connect("root-changed", read_menu)
GLib.timeout_add_seconds(10, loop.quit)
loop.run()
print("\n".join(lines))
sys.exit(0 if lines else 1)
