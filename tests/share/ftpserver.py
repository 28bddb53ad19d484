#!/usr/bin/env python3
"""A real FTP server on 127.0.0.1 for the tests of the shared member list,
with faults on demand.

    ftpserver.py ROOT CONTROL USER PASSWORD

Serves ROOT as "/" for one user with full rights, passive and active mode.
Writes its port into CONTROL/port once it listens.  A file CONTROL/fault
names a fault as "COMMAND ARGUMENT" (STOR, DELE or RNTO and a file name):
right after that command has done its work the server behaves as if the
network broke: it closes the connection and refuses every command and
log-in (421) while CONTROL/broken exists.  The test removes CONTROL/broken
(and CONTROL/fault) to heal it.
"""
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, control, user, password = sys.argv[1:5]
    fault_file = os.path.join(control, "fault")
    broken_file = os.path.join(control, "broken")

    def broken():
        return os.path.exists(broken_file)

    def fault_matches(command, argument):
        try:
            with open(fault_file, encoding="utf-8") as f:
                wanted = f.read().strip()
        except OSError:
            return False
        name = os.path.basename(argument.replace("\\", "/"))
        return wanted == command + " " + name

    def break_now(handler):
        with open(broken_file, "w", encoding="utf-8") as f:
            f.write("broken\n")
        handler.close()

    class Handler(FTPHandler):
        def on_connect(self):
            if broken():
                self.respond("421 Service not available.")
                self.close_when_done()

        def pre_process_command(self, line, cmd, arg):
            if broken():
                self.respond("421 Service not available.")
                self.close_when_done()
                return
            super().pre_process_command(line, cmd, arg)

        def process_command(self, cmd, *args, **kwargs):
            super().process_command(cmd, *args, **kwargs)
            if cmd in ("DELE", "RNTO") and args and fault_matches(cmd, str(args[0])):
                break_now(self)

        def on_file_received(self, file):
            if fault_matches("STOR", file):
                break_now(self)

    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    Handler.authorizer = authorizer
    Handler.permit_foreign_addresses = True
    Handler.passive_ports = None
    server = FTPServer(("127.0.0.1", 0), Handler)
    port = server.socket.getsockname()[1]
    tmp = os.path.join(control, "port.tmp")
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(str(port))
    os.replace(tmp, os.path.join(control, "port"))
    server.serve_forever()


if __name__ == "__main__":
    main()
