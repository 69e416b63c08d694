#!/usr/bin/env python3
"""tallywise-eval at a terminal, through a pseudo-terminal that is the program's
controlling terminal, as a shell gives it one: each session of the table types
its keys, waits for what should appear, and checks how the program ended.

    TerminalTest.py PROGRAM
"""
import fcntl
import os
import pty
import resource
import select
import signal
import stat
import subprocess
import sys
import tempfile
import termios
import time

UP = b"\x1b[A"
PASTE_BEGINS, PASTE_ENDS = b"\x1b[200~", b"\x1b[201~"


class Screen:
    """What the program has written to the terminal so far."""

    def __init__(self, fd):
        self.fd = fd
        self.seen = b""
        self.checked = 0  # up to here, an earlier wait has found what it wanted

    def wait_for(self, wanted, seconds=5.0):
        deadline = time.monotonic() + seconds
        while wanted not in self.seen[self.checked:]:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.fd], [], [], left)[0]:
                raise TimeoutError(f"waited for {wanted!r}, saw {self.seen[self.checked:]!r}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:  # the program has ended
                chunk = b""
            if not chunk:
                raise TimeoutError(f"waited for {wanted!r}, saw {self.seen[self.checked:]!r}")
            self.seen += chunk
        self.checked += self.seen[self.checked:].index(wanted) + len(wanted)


def take_terminal():
    """In the child, as a shell starts a job in the foreground: the pseudo-terminal
    becomes its controlling terminal, so Ctrl+C, Ctrl+Z and Ctrl+\\ raise signals,
    which act as they would by default (a caller may ignore some); no core file
    is left by a quit."""
    fcntl.ioctl(0, termios.TIOCSCTTY, 0)
    for number in (signal.SIGINT, signal.SIGQUIT, signal.SIGTSTP, signal.SIGHUP, signal.SIGTERM):
        signal.signal(number, signal.SIG_DFL)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


# A shell's job control, as far as Ctrl+Z and fg go: the program runs as a job
# of its own in the foreground; when it stops, the shell takes the terminal,
# says so, and on "fg" gives the terminal back and continues the job. Its exit
# status is the program's. (A program that leads its own session would not
# stop at all: the system ignores Ctrl+Z for a group that no shell watches.)
JOB_CONTROL = r"""
import os, signal, sys
signal.signal(signal.SIGTTOU, signal.SIG_IGN)
job = os.fork()
if job == 0:
    os.setpgid(0, 0)
    os.tcsetpgrp(0, os.getpgrp())
    signal.signal(signal.SIGTTOU, signal.SIG_DFL)
    os.execv(sys.argv[1], sys.argv[1:])
os.setpgid(job, job)
os.tcsetpgrp(0, job)
while True:
    _, status = os.waitpid(job, os.WUNTRACED)
    if not os.WIFSTOPPED(status):
        break
    os.tcsetpgrp(0, os.getpgrp())
    os.write(1, b"\r\n[stopped]\r\n")
    typed = b""
    while b"fg" not in typed:
        typed += os.read(0, 100)
    os.tcsetpgrp(0, job)
    os.killpg(job, signal.SIGCONT)
if os.WIFSIGNALED(status):
    signal.signal(os.WTERMSIG(status), signal.SIG_DFL)
    os.kill(os.getpid(), os.WTERMSIG(status))
sys.exit(os.WEXITSTATUS(status))
"""


def run_session(program, env, steps, status, absent=(), job_control=False):
    """Types each step's keys (or sends its signal) and waits for its text; the
    failures, each naming its step."""
    master, slave = pty.openpty()
    command = [sys.executable, "-c", JOB_CONTROL, program] if job_control else [program]
    calc = subprocess.Popen(command, stdin=slave, stdout=slave, stderr=slave, env=env,
                            start_new_session=True, preexec_fn=take_terminal)
    os.close(slave)
    screen = Screen(master)
    failures = []
    try:
        screen.wait_for(b"> ")
        for keys, wanted, what in steps:
            # The editor writes its prompt a moment before it takes the terminal
            # over; keys typed in between meet the terminal's own line discipline.
            time.sleep(0.2)
            if isinstance(keys, int):
                calc.send_signal(keys)
            else:
                os.write(master, keys)
            try:
                screen.wait_for(wanted)
            except TimeoutError as error:
                failures.append(f"{what}: {error}")
        calc.wait(timeout=5)
        if calc.returncode != status:
            failures.append(f"ended with status {calc.returncode}, wanted {status}, after {screen.seen!r}")
        try:
            screen.wait_for(b"\x00never", seconds=0.3)
        except TimeoutError:
            pass
        failures += [f"{text!r} was shown" for text in absent if text in screen.seen]
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        failures.append(str(error))
    finally:
        if calc.poll() is None:
            calc.kill()
            calc.wait()
        os.close(master)
    return failures


def start(program, env):
    """A session at a pseudo-terminal of its own, once its prompt shows."""
    master, slave = pty.openpty()
    calc = subprocess.Popen([program], stdin=slave, stdout=slave, stderr=slave, env=env,
                            start_new_session=True, preexec_fn=take_terminal)
    os.close(slave)
    screen = Screen(master)
    screen.wait_for(b"> ")
    return calc, master, screen


def type_and_wait(master, screen, keys, wanted):
    time.sleep(0.2)  # as in run_session: the editor takes the terminal over after its prompt
    os.write(master, keys)
    screen.wait_for(wanted)


def end(calc, master, screen):
    type_and_wait(master, screen, b"\x04", b"\n")
    calc.wait(timeout=5)
    os.close(master)


def sessions_ended_together(program, env, count=8):
    """Sessions that all end at the same moment, by SIGTERM as when a desktop
    closes its terminals, each write the one file: every line of every one is
    kept. The file holds older lines already, as it does after a while, so that
    each session takes a moment over it. The failures."""
    sessions, expected = [], set()
    older = [f"{n}-0" + "+0" * 1000 for n in range(1000 - count * 10)]
    try:
        with open(env["TALLYWISE_HISTORY"], "w") as file:
            file.write("".join(line + "\n" for line in older))
        for number in range(1, count + 1):
            calc, master, screen = start(program, env)
            sessions.append((calc, master))
            lines = [f"{number}00+{k}" for k in range(10)]
            expected.update(lines)
            type_and_wait(master, screen, "".join(line + "\r" for line in lines).encode(), f"{number}09.000".encode())
        for calc, _ in sessions:
            calc.send_signal(signal.SIGTERM)
        for calc, _ in sessions:
            calc.wait(timeout=10)
        with open(env["TALLYWISE_HISTORY"], "rb") as file:
            kept = file.read().decode().split("\n")[:-1]
        if kept[:len(older)] != older or len(kept) != len(older) + len(expected) or set(kept[len(older):]) != expected:
            return [f"{count} sessions ended together: {len(expected - set(kept))} of {len(expected)} lines lost,"
                    f" {len(kept)} lines kept"]
        return []
    except (OSError, TimeoutError, subprocess.TimeoutExpired) as error:
        return [f"{count} sessions ended together: {error}"]
    finally:
        for calc, master in sessions:
            if calc.poll() is None:
                calc.kill()
                calc.wait()
            os.close(master)


def lines_kept(program, env):
    """The file keeps the newest 1,000 lines, and a line with a line end typed
    into it is not kept, as it would come back as two. (Ctrl+V and Enter type
    an LF: the editor has the terminal turn CR into LF and LF into CR.) The
    failures."""
    path = env["TALLYWISE_HISTORY"]
    with open(path, "w") as file:
        file.write("".join(f"{n}+0\n" for n in range(1000)))
    try:
        calc, master, screen = start(program, env)
        type_and_wait(master, screen, b"1+1\x16\r2\r", b"Unknown symbol '\\x0a'")
        type_and_wait(master, screen, b"\x153*3\r", b"9.000")
        end(calc, master, screen)
        with open(path, "rb") as file:
            kept = file.read().decode().split("\n")
    except (OSError, TimeoutError, subprocess.TimeoutExpired) as error:
        return [f"the newest 1,000 lines: {error}"]
    wanted = [f"{n}+0" for n in range(1, 1000)] + ["3*3", ""]
    if kept != wanted:
        return [f"the newest 1,000 lines, none with a line end: {len(kept) - 1} lines kept, ending {kept[-4:]!r}"]
    return []


def history_files(program, base):
    """Two sessions at once write one file, and a file that is a link, is
    read-only or is a device (made only by root); the failures."""
    failures = []
    shared = os.path.join(base, "shared")
    env = dict(os.environ, TERM="xterm", LC_ALL="C.UTF-8", HOME="/nonexistent", TALLYWISE_HISTORY=shared)
    try:
        first, second = start(program, env), start(program, env)
        type_and_wait(first[1], first[2], b"1+1\r", b"2.000")
        type_and_wait(second[1], second[2], b"2+2\r", b"4.000")
        end(*first)
        end(*second)
        with open(shared, "rb") as file:
            if file.read() != b"1+1\n2+2\n":
                failures.append("two sessions at once: the first session's line is lost")
    except (OSError, TimeoutError, subprocess.TimeoutExpired) as error:
        failures.append(f"two sessions at once: {error}")

    failures += sessions_ended_together(program, dict(env, TALLYWISE_HISTORY=os.path.join(base, "together")))
    failures += lines_kept(program, dict(env, TALLYWISE_HISTORY=os.path.join(base, "kept")))

    target, link = os.path.join(base, "target"), os.path.join(base, "link")
    readonly, device = os.path.join(base, "readonly"), os.path.join(base, "device")
    with open(target, "wb") as file:
        file.write(b"1+1\n")
    os.symlink("target", link)
    with open(readonly, "wb") as file:
        file.write(b"1+1\n")
    os.chmod(readonly, 0o444)
    cases = [("a link", link, b"", lambda: os.path.islink(link) and open(target, "rb").read() == b"1+1\n3*3\n"),
             ("a read-only file", readonly, b"read-only", lambda: open(readonly, "rb").read() == b"1+1\n")]
    if os.geteuid() == 0:
        os.mknod(device, 0o644 | stat.S_IFCHR, os.makedev(1, 3))
        cases.append(("a device", device, b"not a regular file", lambda: stat.S_ISCHR(os.stat(device).st_mode)))
    for what, path, told, kept in cases:
        try:
            calc, master, screen = start(program, dict(env, TALLYWISE_HISTORY=path))
            type_and_wait(master, screen, b"3*3\r", b"9.000")
            end(calc, master, screen)
            said = screen.seen.count(b"tallywise-eval: ")
            if told and (said != 1 or told not in screen.seen):
                failures.append(f"{what}: not said in one line: {screen.seen!r}")
            if not told and said:
                failures.append(f"{what}: a problem was reported: {screen.seen!r}")
            if not kept():
                failures.append(f"{what}: not left as it should be")
        except (OSError, TimeoutError, subprocess.TimeoutExpired) as error:
            failures.append(f"{what}: {error}")
    return failures


def main():
    program = sys.argv[1]
    state = tempfile.mkdtemp(prefix="tallywise-terminal.")
    history = os.path.join(state, "tallywise", "history")
    utf8 = dict(os.environ, TERM="xterm", LC_ALL="C.UTF-8", HOME="/nonexistent", TALLYWISE_HISTORY="")
    kept = dict(utf8, XDG_STATE_HOME=state)
    del kept["TALLYWISE_HISTORY"]
    sessions = [
        ("a rejected line comes back for editing; Ctrl+C drops a line", utf8, [
            (b"2*\r", b"Paste number here", "2* is rejected"),
            (b"", b"> 2*", "2* comes back, the cursor after the *"),
            (b"3\r", b"6.000\r\n> ", "typing 3 completes it"),
            (b"4(5)\r", b"> 4(5)", "4(5) comes back"),
            (b"*\r", b"20.000\r\n> ", "* typed before the ( gives 4*(5)"),
            (b"7+7\x03", b"\n> ", "Ctrl+C gives a new prompt on a new line"),
            (b"\x04", b"\n", "Ctrl+D ends"),
        ], 1, [b"14.000"]),
        ("a result with other digits than exact arithmetic's has a dimmed note", utf8, [
            (b"3000000*1/3000000\r", b"0.000\r\n\x1b[2mexact: 1.000\x1b[0m\r\n> ", "the note after 0.000"),
            (b"1/3*3\r", b"1.000\r\n> ", "1.000, the exact value's digits, has none"),
            (b"\x04", b"\n", "Ctrl+D ends"),
        ], 0),
        ("no locale (env -i): every byte reaches the checker", {"TERM": "xterm"}, [
            (b"2\xd73\r", b"Unknown symbol '\\xd7'", "a Latin-1 \xd7 is named and rejected"),
            (b"\x15" + "2×3\r".encode(), "Unknown symbol '×'".encode(), "a UTF-8 × is named and rejected"),
            (b"\x15quit\r", b"\n", "quit ends"),
        ], 1, [b"23.000", b"6.000"]),
        ("typed-ahead and pasted lines are answered each on its own", utf8, [
            (b"1+1\r2*\r3+3\r", b"6.000\r\n", "three lines typed ahead"),
            (PASTE_BEGINS + b"4*\r5+5\r" + PASTE_ENDS, b"10.000\r\n", "two lines pasted"),
            (b"\x04", b"\n", "Ctrl+D ends"),
        ], 1, [b"2*3+3", b"4*5+5"]),
        ("Ctrl+\\ quits as in any program", utf8, [(b"1+\x1c", b"", "Ctrl+\\")], -signal.SIGQUIT),
        ("Ctrl+Z stops as in any program; after fg the line is drawn once", utf8, [
            (b"1+", b"1+", "1+ typed"),
            (b"\x1a", b"[stopped]", "Ctrl+Z stops"),
            (b"fg\r", b"> 1+", "fg draws the prompt and the line"),
            (b"2\r", b"3.000", "and the line goes on"),
            (b"\x04", b"\n", "Ctrl+D ends"),
        ], 0, [b"> 1+> 1+"], True),
        ("the history is written when the session is ended by SIGTERM", kept, [
            (b"4*4\r", b"16.000", "4*4"),
            (signal.SIGTERM, b"", "SIGTERM"),
        ], -signal.SIGTERM),
        ("the history comes back in the next session", kept, [
            (UP, b"4*4", "Up brings back 4*4"),
            (b"\r", b"16.000", "and computes it"),
            (b"exit\r", b"\n", "exit ends"),
        ], 0),
    ]
    failures = []
    for name, env, steps, status, *rest in sessions:
        failures += [f"{name}: {failure}" for failure in run_session(program, env, steps, status, *rest)]
        if name.startswith("the history is written"):
            try:
                with open(history, "rb") as file:
                    if file.read() != b"4*4\n":
                        failures.append(f"{name}: the history file does not hold 4*4 alone")
                if stat.S_IMODE(os.stat(history).st_mode) != 0o600:
                    failures.append(f"{name}: the history file is not for its owner alone")
            except OSError as error:
                failures.append(f"{name}: {error}")
    failures += history_files(program, state)
    subprocess.run(["rm", "-rf", state], check=False)
    for failure in failures:
        print("FAIL", failure)
    if failures:
        return 1
    print("all terminal checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
