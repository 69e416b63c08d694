#!/usr/bin/env python3
"""tallywise-eval at a terminal, through a pseudo-terminal: a rejected line comes
back with the cursor on the marked spot, so typing the missing piece completes it.

    TerminalTest.py PROGRAM
"""
import os
import pty
import select
import subprocess
import sys
import time


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


def main():
    program = sys.argv[1]
    master, slave = pty.openpty()
    env = dict(os.environ, TERM="xterm", LC_ALL="C.UTF-8", HOME="/nonexistent")
    calc = subprocess.Popen([program], stdin=slave, stdout=slave, stderr=slave, env=env, start_new_session=True)
    os.close(slave)
    failures = []
    screen = Screen(master)

    def typed(keys, wanted, what):
        try:
            # The editor writes its prompt a moment before it takes the terminal
            # over; keys typed in between meet the terminal's own line discipline.
            time.sleep(0.2)
            os.write(master, keys)
            screen.wait_for(wanted)
        except TimeoutError as error:
            failures.append(f"{what}: {error}")

    try:
        screen.wait_for(b"> ")
        # "2*" is missing a number after the *: the line comes back as it was,
        # the cursor after the *; typing 3 completes it.
        typed(b"2*\r", b"Paste number here", "2* is rejected")
        typed(b"", b"> 2*", "2* comes back")
        typed(b"3\r", b"6.000\r\n> ", "2* and 3 typed gives 6.000")
        # "4(5)" needs an operator before the parenthesis: the cursor goes back there.
        typed(b"4(5)\r", b"> 4(5)", "4(5) comes back")
        typed(b"*\r", b"20.000\r\n> ", "* typed before the ( gives 4*(5) = 20.000")
        # Ctrl+C drops the line being typed, Ctrl+D ends.
        typed(b"7+7\x03", b"\n> ", "Ctrl+C gives a new prompt on a new line")
        typed(b"\x04", b"^D", "Ctrl+D ends")
        calc.wait(timeout=5)
        try:
            screen.wait_for(b"14.000", seconds=0.5)
            failures.append("Ctrl+C did not drop 7+7")
        except TimeoutError:
            pass
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        failures.append(str(error))
    finally:
        if calc.poll() is None:
            calc.kill()
            calc.wait()
    for failure in failures:
        print("FAIL", failure)
    if failures:
        return 1
    print("all terminal checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
