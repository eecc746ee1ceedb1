#!/usr/bin/python3
"""Stands in for a file manager: drags files onto an X window with the XDND protocol.

usage: xdnd_drop.py WINDOW ROOT_X ROOT_Y PATH...
Offers the paths as text/uri-list, drops when the window accepts, and serves the data when
the window asks for it. Exits 0 once the window reports the drop finished, 1 otherwise.
"""
import sys
import time
import urllib.parse

from Xlib import X, display
from Xlib.protocol import event


def main():
    target_id, x, y = (int(a, 0) for a in sys.argv[1:4])
    paths = sys.argv[4:]
    d = display.Display()
    atom = d.intern_atom
    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
    target = d.create_resource_object('window', target_id)
    uri_list = atom('text/uri-list')
    source.set_selection_owner(atom('XdndSelection'), X.CurrentTime)

    def send(kind, data):
        message = event.ClientMessage(window=target, client_type=atom(kind), data=(32, data))
        target.send_event(message, X.NoEventMask)
        d.flush()

    send('XdndEnter', [source.id, 5 << 24, uri_list, 0, 0])
    send('XdndPosition', [source.id, 0, (x << 16) | y, X.CurrentTime, atom('XdndActionCopy')])
    payload = ''.join('file://' + urllib.parse.quote(p) + '\r\n' for p in paths).encode()
    dropped = False
    deadline = time.time() + 10
    while time.time() < deadline:
        while d.pending_events():
            e = d.next_event()
            if e.type == X.ClientMessage and e.client_type == atom('XdndStatus'):
                if e.data[1][1] & 1 and not dropped:
                    send('XdndDrop', [source.id, 0, X.CurrentTime, 0, 0])
                    dropped = True
            elif e.type == X.SelectionRequest:
                e.requestor.change_property(e.property, e.target, 8, payload)
                notify = event.SelectionNotify(time=e.time, requestor=e.requestor, selection=e.selection,
                                               target=e.target, property=e.property)
                e.requestor.send_event(notify)
                d.flush()
            elif e.type == X.ClientMessage and e.client_type == atom('XdndFinished'):
                return 0
        time.sleep(0.01)
    return 1


if __name__ == '__main__':
    sys.exit(main())
