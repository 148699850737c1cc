#!/usr/bin/python3
"""FTP server for the upload tests and benchmark, on 127.0.0.1 only.

Prints the port it listens on as the first line of stdout and ends when its
stdin is closed, so it never outlives the process that started it. Every SITE
command it receives is appended to the --site-log file, one line each, and
every STOR to the --transfer-log file as the transfer type ("a" or "i"), a
blank and the file name.

Fault modes name one file (by its name on the server); only its first STOR
is affected: --drop-transfer resets that transfer's data connection,
--hang-up closes the whole session when it arrives, --stall-transfer stops
reading its data connection, so that the transfer never ends.

For the remote folder browser: --refuse-cwd refuses every CWD into a folder
of that name, --ignore-command never answers that command (e.g. MLSD), and
--no-mlsd answers MLSD as an unknown command, so that LIST is used.
"""
import argparse
import logging
import os
import socket
import struct
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


class TestDTPHandler(DTPHandler):
    def enable_receiving(self, type, cmd):
        super().enable_receiving(type, cmd)
        fault = self.cmd_channel.take_data_fault()
        if fault == "drop":
            # A reset, not an orderly end: the client must not take the
            # bytes so far for the whole file.
            self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.close()
            self.cmd_channel.respond("426 Connection closed; transfer aborted.")
        elif fault == "stall":
            self.modify_ioloop_events(0)


class TestHandler(FTPHandler):
    dtp_handler = TestDTPHandler
    drop_transfer = ""
    hang_up = ""
    stall_transfer = ""
    _data_fault = None
    site_log = None
    transfer_log = None
    refuse_active = False
    refuse_passive = False
    # Accept PORT and EPRT but never reach the client, like a server
    # facing a client behind a NAT router.
    active_unreachable = False
    _active_requested = False
    refuse_cwd = ""
    ignore_command = ""
    no_mlsd = False

    def pre_process_command(self, line, cmd, arg):
        if self.ignore_command and cmd.upper() == self.ignore_command.upper():
            return
        if self.no_mlsd and cmd.upper() == "MLSD":
            self.respond("500 Command not understood.")
            return
        if (cmd.upper() == "CWD" and self.refuse_cwd
                and os.path.basename(arg.rstrip("/")) == self.refuse_cwd):
            self.respond("550 Permission denied.")
            return
        if cmd.upper() == "SITE" and self.site_log:
            with open(self.site_log, "a", encoding="latin-1") as log:
                log.write(line + "\n")
        if cmd.upper() == "STOR" and self.transfer_log:
            with open(self.transfer_log, "a", encoding="latin-1") as log:
                log.write(self._current_type + " " + arg + "\n")
        return super().pre_process_command(line, cmd, arg)

    def _active(self, line, default):
        if self.refuse_active:
            self.respond("502 Active mode is not allowed here.")
        elif self.active_unreachable:
            self._active_requested = True
            self.respond("200 Active data connection established.")
        else:
            default(line)

    def _passive(self, line, default):
        if self.refuse_passive:
            self.respond("502 Passive mode is not allowed here.")
        else:
            default(line)

    def ftp_PASV(self, line):
        self._passive(line, super().ftp_PASV)

    def ftp_EPSV(self, line):
        self._passive(line, super().ftp_EPSV)

    def ftp_PORT(self, line):
        self._active(line, super().ftp_PORT)

    def ftp_EPRT(self, line):
        self._active(line, super().ftp_EPRT)

    def take_data_fault(self):
        fault, self._data_fault = self._data_fault, None
        return fault

    def _first_time(self, option, file):
        name = getattr(TestHandler, option)
        if name and os.path.basename(file) == name:
            setattr(TestHandler, option, "")
            return True
        return False

    def ftp_STOR(self, file, mode='w'):
        if self._first_time("hang_up", file):
            self.close()
            return
        if self._first_time("drop_transfer", file):
            self._data_fault = "drop"
        elif self._first_time("stall_transfer", file):
            self._data_fault = "stall"
        if self._active_requested:
            self._active_requested = False
            self.respond("425 Can't open data connection.")
            return
        return super().ftp_STOR(file, mode)


def exit_when_stdin_closes():
    try:
        while sys.stdin.buffer.read(4096):
            pass
    finally:
        os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--home", required=True)
    parser.add_argument("--user", default="shop")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--site-log", default="")
    parser.add_argument("--transfer-log", default="")
    parser.add_argument("--refuse-active", action="store_true")
    parser.add_argument("--active-unreachable", action="store_true")
    parser.add_argument("--refuse-passive", action="store_true")
    parser.add_argument("--max-cons-per-ip", type=int, default=0)
    parser.add_argument("--drop-transfer", default="")
    parser.add_argument("--hang-up", default="")
    parser.add_argument("--stall-transfer", default="")
    parser.add_argument("--refuse-cwd", default="")
    parser.add_argument("--ignore-command", default="")
    parser.add_argument("--no-mlsd", action="store_true")
    args = parser.parse_args()

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")
    TestHandler.authorizer = authorizer
    TestHandler.site_log = args.site_log
    TestHandler.transfer_log = args.transfer_log
    TestHandler.refuse_active = args.refuse_active
    TestHandler.active_unreachable = args.active_unreachable
    TestHandler.refuse_passive = args.refuse_passive
    TestHandler.drop_transfer = args.drop_transfer
    TestHandler.hang_up = args.hang_up
    TestHandler.stall_transfer = args.stall_transfer
    TestHandler.refuse_cwd = args.refuse_cwd
    TestHandler.ignore_command = args.ignore_command
    TestHandler.no_mlsd = args.no_mlsd
    TestHandler.timeout = 60
    TestHandler.auth_failed_timeout = 0.1

    server = FTPServer(("127.0.0.1", 0), TestHandler)
    server.max_cons_per_ip = args.max_cons_per_ip
    print(server.address[1], flush=True)
    threading.Thread(target=exit_when_stdin_closes, daemon=True).start()
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
