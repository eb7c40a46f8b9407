#!/usr/bin/python3
"""Desktop services stood in for on the harness's private session bus (python3-dbus).

  standins.py notifications LOG [--refuse] [--caps actions,body-markup]
      org.freedesktop.Notifications: each Notify is one JSON line in LOG (id, the
      arguments, the hints without pictures, "image" WxH); --refuse answers every Notify
      with an error. Tests make it act through org.kestrin.Test.Invoke(id, key) (the
      action, then the closing, as a daemon does), Action(id, key) (the action alone)
      and Close(id, reason).
  standins.py watcher LOG
      org.kde.StatusNotifierWatcher with a host registered: each item that registers is a
      line "item SERVICE PATH" in LOG.
  standins.py menu SERVICE PATH
      prints the labels of an exported menu (com.canonical.dbusmenu), one a line, the
      items of a submenu indented, separators as "-", mnemonic marks removed.
"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NOTIFY = "org.freedesktop.Notifications"
TEST = "org.kestrin.Test"
WATCHER = "org.kde.StatusNotifierWatcher"


def write_line(path, text):
    with open(path, "a", encoding="utf-8") as f:
        f.write(text + "\n")


def plain(value):
    """A D-Bus value as JSON can hold it."""
    if isinstance(value, (dbus.Array, list)):
        return [plain(v) for v in value]
    if isinstance(value, (dbus.Dictionary, dict)):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.Byte, dbus.Int32, dbus.UInt32, dbus.Int16, dbus.UInt16, dbus.Int64, dbus.UInt64)):
        return int(value)
    return str(value)


class Notifications(dbus.service.Object):
    def __init__(self, bus, log, refuse, caps):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log, self.refuse, self.caps, self.last = log, refuse, caps, 0

    @dbus.service.method(NOTIFY, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return self.caps

    @dbus.service.method(NOTIFY, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("kestrin-standin", "Kestrin tests", "1", "1.2")

    @dbus.service.method(NOTIFY, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, expire):
        if self.refuse:
            raise dbus.exceptions.DBusException("refused by the test", name="org.freedesktop.DBus.Error.AccessDenied")
        self.last += 1
        record = {"id": self.last, "app": str(app), "icon": str(icon), "summary": str(summary), "body": str(body),
                  "actions": plain(actions), "expire": int(expire),
                  "hints": {k: plain(v) for k, v in hints.items() if k != "image-data"}}
        if "image-data" in hints:
            w, h, stride, alpha, bits, channels, data = hints["image-data"]
            record["image"] = "%dx%d" % (w, h) if len(data) == h * stride and channels == 4 else "bad"
        write_line(self.log, json.dumps(record, ensure_ascii=False))
        return dbus.UInt32(self.last)

    @dbus.service.method(NOTIFY, in_signature="u", out_signature="")
    def CloseNotification(self, nid):
        write_line(self.log, json.dumps({"closed": int(nid)}))
        self.NotificationClosed(nid, 3)

    @dbus.service.signal(NOTIFY, signature="us")
    def ActionInvoked(self, nid, key):
        pass

    @dbus.service.signal(NOTIFY, signature="uu")
    def NotificationClosed(self, nid, reason):
        pass

    @dbus.service.method(TEST, in_signature="us", out_signature="")
    def Invoke(self, nid, key):
        self.ActionInvoked(nid, key)
        self.NotificationClosed(nid, 2)

    @dbus.service.method(TEST, in_signature="us", out_signature="")
    def Action(self, nid, key):
        """The action of a notification that stays (a resident one)."""
        self.ActionInvoked(nid, key)

    @dbus.service.method(TEST, in_signature="uu", out_signature="")
    def Close(self, nid, reason):
        self.NotificationClosed(nid, reason)


WATCHER_XML = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.log, self.items = log, []

    # Qt looks for the host property in the introspection data, which python-dbus does
    # not derive from properties: give the whole description.
    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="", out_signature="s")
    def Introspect(self):
        return WATCHER_XML

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item may give its object path instead of a service name.
        name, path = (sender, service) if service.startswith("/") else (service, "/StatusNotifierItem")
        self.items.append(name + path)
        write_line(self.log, "item %s %s %s" % (name, path, sender))
        self.StatusNotifierItemRegistered(name + path)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        return self.GetAll(interface)[prop]

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}


def print_menu(service, path):
    menu = dbus.Interface(dbus.SessionBus().get_object(service, path), "com.canonical.dbusmenu")
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"))

    def walk(node, depth):
        for child in node[2]:
            props = child[1]
            if not props.get("visible", True):
                continue
            if props.get("type") == "separator":
                label = "-"
            else:
                label = str(props.get("label", "")).replace("__", "\0").replace("_", "").replace("\0", "_")
            print("  " * depth + label)
            walk(child, depth + 1)

    walk(layout, 0)


def main():
    if sys.argv[1] == "menu":
        print_menu(sys.argv[2], sys.argv[3])
        return
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    kind, log = sys.argv[1], sys.argv[2]
    if kind == "notifications":
        args = sys.argv[3:]
        caps = args[args.index("--caps") + 1].split(",") if "--caps" in args else ["actions", "body", "body-markup"]
        keep = Notifications(bus, log, "--refuse" in args, caps)
        name = dbus.service.BusName(NOTIFY, bus, do_not_queue=True)
    else:
        keep = Watcher(bus, log)
        name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    write_line(log, "ready")
    GLib.MainLoop().run()
    del keep, name


if __name__ == "__main__":
    main()
