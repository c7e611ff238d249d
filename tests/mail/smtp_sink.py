"""A local SMTP server for the mail tests.

Usage: smtp_sink.py FOLDER [CERT KEY]

Listens on 127.0.0.1 on a free port and writes that port to FOLDER/port.
Each message received is parsed and stored as FOLDER/msg-N/ with one file
per field (subject, body, from, to, reply-to, date, rcpt, attachment-name,
attachment, tls, login). With CERT and KEY the server offers STARTTLS,
refuses mail without it and requires a login. The server stops when its
standard input closes, or after two minutes at most.
"""
import email
import email.policy
import os
import socket
import ssl
import sys
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

LIFETIME_SECONDS = 120
ACCOUNT = b"tiravel"
PASSWORD = b"secret12"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def write(folder, name, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(os.path.join(folder, name), mode, **({} if mode == "wb" else {"encoding": "utf-8"})) as out:
        out.write(data)


class Sink:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        work = os.path.join(self.folder, "tmp-%d" % self.count)
        os.makedirs(work)
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        write(work, "raw", envelope.content)
        for header in ("subject", "from", "to", "reply-to", "date"):
            write(work, header, str(message.get(header, "")))
        write(work, "rcpt", "\n".join(envelope.rcpt_tos))
        write(work, "tls", "yes" if session.ssl else "no")
        login = getattr(session, "auth_data", None)
        write(work, "login", login.decode() if isinstance(login, bytes) else "")
        body = message.get_body(preferencelist=("plain",))
        write(work, "body", body.get_content() if body is not None else "")
        for part in message.iter_attachments():
            write(work, "attachment-name", part.get_filename() or "")
            write(work, "attachment", part.get_payload(decode=True))
        os.rename(work, os.path.join(self.folder, "msg-%d" % self.count))
        return "250 OK"


def authenticate(server, session, envelope, mechanism, auth_data):
    if isinstance(auth_data, LoginPassword) and auth_data.login == ACCOUNT and auth_data.password == PASSWORD:
        return AuthResult(success=True, auth_data=auth_data.login)
    return AuthResult(success=False, handled=False)


def main():
    folder = sys.argv[1]
    port = free_port()
    options = {}
    if len(sys.argv) == 4:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(sys.argv[2], sys.argv[3])
        options = dict(tls_context=context, require_starttls=True, authenticator=authenticate,
                       auth_required=True)
    controller = Controller(Sink(folder), hostname="127.0.0.1", port=port, **options)
    controller.start()
    write(folder, "port.tmp", str(port))
    os.rename(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    stdin_closed = threading.Event()
    threading.Thread(target=lambda: (sys.stdin.read(), stdin_closed.set()), daemon=True).start()
    stdin_closed.wait(LIFETIME_SECONDS)
    controller.stop()


if __name__ == "__main__":
    main()
