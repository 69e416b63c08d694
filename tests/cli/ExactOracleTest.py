#!/usr/bin/env python3
"""tallywise-eval --exact against an oracle of its own: Python's exact fractions
for + - * / % and whole powers, and decimals of 90 digits for the rest (right to 30 significant
digits there), over
seeded random expressions of every operator, sign, parenthesis and written form
of number. The oracle takes the operators in the calculator's order, pass by
pass: the deepest first, then the strongest (# ^ % / * - +), then the leftmost.
Results, fault messages and their places must agree.

    ExactOracleTest.py PROGRAM [COUNT]
"""
import decimal
import random
import subprocess
import sys
from fractions import Fraction

decimal.getcontext().prec = 90
if hasattr(sys, "set_int_max_str_digits"):
    sys.set_int_max_str_digits(0)
DECIMALS = 9
STRENGTH = {"+": 1, "-": 2, "*": 3, "/": 4, "%": 5, "^": 6, "#": 7}
MOST_DIGITS = 10000
DIVISION, OVERFLOW = "Division to the zero!", "The number is too large!"
EVEN_ROOT, ZERO_DEGREE = "No even root of a negative number!", "No root of degree zero!"


class Fault(Exception):
    pass


class Value:
    """A fraction, and whether it is only near the true value."""

    def __init__(self, fraction, near=False):
        self.fraction = Fraction(fraction)
        self.near = near


def bounded(value):
    f = value.fraction
    if len(str(abs(f.numerator))) > MOST_DIGITS or len(str(f.denominator)) > MOST_DIGITS:
        raise Fault(OVERFLOW)
    return value


def whole_root(n, degree):
    """The whole root of `degree` of n >= 0 where n is its power, else None."""
    if n < 2:
        return n
    if degree > n.bit_length():
        return None
    r = 1 << -(-n.bit_length() // degree)  # above the root
    while True:  # Newton's steps in whole numbers, down to the root's whole part
        below = ((degree - 1) * r + n // r ** (degree - 1)) // degree
        if below >= r:
            return r if r ** degree == n else None
        r = below


def power(base, exponent):
    x, y = base.fraction, exponent.fraction
    near = base.near or exponent.near
    if y.denominator == 1:
        if x == 0:
            if y < 0:
                raise Fault(DIVISION)
            return Value(1 if y == 0 else 0, near)
        if abs(x) == 1:
            return Value(-1 if x < 0 and y.numerator % 2 else 1, near)
        if abs(y) * max(abs(x.numerator), x.denominator).bit_length() > 80000:
            raise Fault(OVERFLOW)
        return bounded(Value(x ** int(y), near))
    if x < 0:
        raise Fault(EVEN_ROOT)
    if x == 0:
        if y < 0:
            raise Fault(DIVISION)
        return Value(0, near)
    if x == 1:
        return Value(1, near)
    top, bottom = whole_root(x.numerator, y.denominator), whole_root(x.denominator, y.denominator)
    if top is not None and bottom is not None:
        return power(Value(Fraction(top, bottom), near), Value(y.numerator, near))
    d = lambda f: decimal.Decimal(f.numerator) / decimal.Decimal(f.denominator)
    return bounded(Value(Fraction(d(x) ** d(y)), True))


def root(radicand, degree):
    x, n = radicand.fraction, degree.fraction
    if n == 0:
        raise Fault(ZERO_DEGREE)
    if x < 0:
        if n.denominator != 1 or n.numerator % 2 == 0:
            raise Fault(EVEN_ROOT)
        result = power(Value(-x, radicand.near), Value(1 / n, degree.near))
        return Value(-result.fraction, result.near)
    if x == 0:
        if n < 0:
            raise Fault(DIVISION)
        return Value(0)
    return power(radicand, Value(1 / n, degree.near))


def apply(op, l, r):
    near = l.near or r.near
    if op == "+":
        return bounded(Value(l.fraction + r.fraction, near))
    if op == "-":
        return bounded(Value(l.fraction - r.fraction, near))
    if op == "*":
        return bounded(Value(l.fraction * r.fraction, near))
    if op == "/":
        if r.fraction == 0:
            raise Fault(DIVISION)
        return bounded(Value(l.fraction / r.fraction, near))
    if op == "%":
        return bounded(Value(l.fraction * r.fraction / 100, near))
    if op == "^":
        return power(l, r)
    return root(l, r)


def evaluate(text):
    """The value and the faults (message, column counted from 1) of a text."""
    tokens = []  # [kind, value or operator, depth, position]
    depth = 0
    i = 0
    while i < len(text):
        ch = text[i]
        if ch == " ":
            i += 1
        elif ch in "0123456789.,":
            start = i
            digits = ""
            while i < len(text) and text[i] in "0123456789., ":
                digits += "" if text[i] == " " else ("." if text[i] == "," else text[i])
                i += 1
            whole, _, decimals = digits.partition(".")
            number = Fraction(int(whole or "0")) + (Fraction(int(decimals), 10 ** len(decimals)) if decimals else 0)
            tokens.append(["number", Value(number), depth, start])
        elif ch == "(":
            depth += 1
            i += 1
        elif ch == ")":
            depth -= 1
            i += 1
        else:
            previous = tokens[-1] if tokens else None
            if ch in "+-" and (previous is None or text[:i].rstrip().endswith("(")):
                if previous is None and ch == "+":
                    i += 1
                    continue
                tokens.append(["number", Value(0), depth, i])
            tokens.append(["operator", ch, depth, i])
            i += 1
    faults = []
    while len(tokens) > 1:
        chosen = None
        for k in range(1, len(tokens), 2):
            d, s = tokens[k][2], STRENGTH[tokens[k][1]]
            if chosen is None or d > chosen[0] or (d == chosen[0] and s > chosen[1]):
                chosen = (d, s, k)
        k = chosen[2]
        op = tokens[k]
        try:
            value = apply(op[1], tokens[k - 1][1], tokens[k + 1][1])
        except Fault as fault:
            faults.append((fault.args[0], op[3] + 1))
            value = Value(0)
        tokens[k - 1 : k + 2] = [["number", value, op[2], op[3]]]
    return tokens[0][1], faults


def written(fraction):
    scaled = abs(fraction) * 10 ** DECIMALS
    rounded = scaled.numerator // scaled.denominator
    if 2 * (scaled - rounded) >= 1:
        rounded += 1
    digits = str(rounded).rjust(DECIMALS + 1, "0")
    return ("-" if fraction < 0 else "") + digits[:-DECIMALS] + "." + digits[-DECIMALS:]


class Generator:
    def __init__(self, seed):
        self.random = random.Random(seed)

    def chance(self, percent):
        return self.random.randrange(100) < percent

    def number(self):
        r = self.random
        forms = [
            lambda: str(r.randrange(10)),
            lambda: str(r.randrange(100000)),
            lambda: f"{r.randrange(1000)}.{r.randrange(1000000)}",
            lambda: f"{r.randrange(7)},25",
            lambda: "." + str(r.randrange(100)),
            lambda: str(r.randrange(100)) + ".",
            lambda: "0." + "0" * r.randrange(8) + str(1 + r.randrange(9)),
            lambda: str(1 + r.randrange(9)) + "0" * r.randrange(25),
            lambda: f"{r.randrange(10)} , 5",
        ]
        return r.choice(forms)()

    def small(self):
        return self.random.choice(["0", "1", "2", "3", "0.5", "1.5", "2.5", "(1/3)", "(0-2)", "(2/3)", "0.25", "4"])

    def operand(self, depth):
        text = " " if self.chance(10) else ""
        if depth > 0 and self.chance(25):
            text += "(" + (self.random.choice("+-") if self.chance(20) else "") + self.sum(depth - 1) + ")"
        else:
            text += self.number()
        return text + (" " if self.chance(10) else "")

    def sum(self, depth):
        text = self.operand(depth)
        for _ in range(self.random.randrange(6)):
            op = self.random.choice("+-*/%^#")
            text += op + (self.small() if op in "^#" else self.operand(depth))
        return text

    def expression(self):
        return ("-" if self.chance(10) else "") + self.sum(3)


def main():
    program = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    generator = Generator(20261208)
    lines = [generator.expression() for _ in range(count)]
    run = subprocess.run([program, "--exact", "--aligned", "-d", str(DECIMALS)], input="\n".join(lines) + "\n",
                         capture_output=True, text=True)
    results = run.stdout.split("\n")
    messages = {}
    for message in run.stderr.splitlines():
        place, _, text = message.partition(": ")
        _, line, column = place.split(":")
        messages.setdefault(int(line), []).append((text, int(column)))
    failures = 0
    for number, line in enumerate(lines, 1):
        value, faults = evaluate(line)
        wanted = written(value.fraction)
        got = results[number - 1]
        if value.near:
            # A real power is right to 30 significant digits, and then rounded.
            try:
                error = abs(Fraction(got) - value.fraction)
            except ValueError:
                error = None
            fits = error is not None and error <= abs(value.fraction) / 10 ** 30 + Fraction(1, 10 ** DECIMALS)
        else:
            fits = got == wanted
        if not fits or messages.get(number, []) != faults:
            failures += 1
            if failures <= 10:
                print(f"FAIL line {number}: {line!r}\n  got {got} {messages.get(number, [])}\n  wanted {wanted} {faults}")
    print(f"{count - failures} of {count} expressions agree with the oracle")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
