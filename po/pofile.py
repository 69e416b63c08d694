"""Reading the catalogs: the entries of a .po or .pot file, and the plural rule of its header."""
import re


class Entry:
    def __init__(self):
        self.context = None
        self.msgid = None
        self.plural = None
        self.msgstr = {}  # index -> text; 0 alone for an entry without plural
        self.flags = set()
        self.line = 0

    @property
    def key(self):
        return (self.context, self.msgid)


def _unquote(text):
    text = text.strip()
    if not (text.startswith('"') and text.endswith('"')):
        raise ValueError('not a quoted string: ' + text)
    out = []
    i = 1
    escapes = {'n': '\n', 't': '\t', '"': '"', '\\': '\\'}
    while i < len(text) - 1:
        ch = text[i]
        if ch == '\\':
            i += 1
            out.append(escapes.get(text[i], '\\' + text[i]))
        else:
            out.append(ch)
        i += 1
    return ''.join(out)


def read(path):
    """The entries in file order, the header (msgid "") included as the first."""
    entries = []
    current = None
    field = None
    with open(path, encoding='utf-8') as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            starts_entry = line.startswith('#') or re.match(r'(msgctxt|msgid)\s', line)
            if starts_entry and (current is None or current.msgid is not None):
                current = Entry()
                current.line = number
                entries.append(current)
            if not line.strip() or line.startswith('#'):
                if line.startswith('#,'):
                    current.flags.update(flag.strip() for flag in line[2:].split(','))
                field = None
                continue
            match = re.match(r'(msgctxt|msgid_plural|msgid|msgstr(?:\[(\d+)\])?)\s+(".*")$', line)
            if match:
                keyword, index, value = match.group(1), match.group(2), _unquote(match.group(3))
                if keyword.startswith('msgstr'):
                    field = ('msgstr', int(index) if index is not None else 0)
                else:
                    field = (keyword,)
                _append(current, field, value)
                continue
            if line.startswith('"') and field is not None:
                _append(current, field, _unquote(line))
                continue
            raise ValueError('%s:%d: cannot read: %s' % (path, number, line))
    return entries


def _append(entry, field, value):
    if field[0] == 'msgctxt':
        entry.context = (entry.context or '') + value
    elif field[0] == 'msgid':
        entry.msgid = (entry.msgid or '') + value
    elif field[0] == 'msgid_plural':
        entry.plural = (entry.plural or '') + value
    else:
        entry.msgstr[field[1]] = entry.msgstr.get(field[1], '') + value


def header_field(entries, name):
    for entry in entries:
        if entry.msgid == '' and entry.context is None:
            for line in entry.msgstr.get(0, '').split('\n'):
                if line.lower().startswith(name.lower() + ':'):
                    return line.split(':', 1)[1].strip()
    return None


def plural_rule(entries):
    """(count of forms, function of n giving the form's index) from Plural-Forms."""
    forms = header_field(entries, 'Plural-Forms') or 'nplurals=2; plural=(n != 1);'
    count = int(re.search(r'nplurals\s*=\s*(\d+)', forms).group(1))
    expression = re.search(r'plural\s*=\s*([^;]+)', forms).group(1)
    return count, lambda n: int(_CExpression(expression, n).value())


class _CExpression:
    """The C expression of a Plural-Forms header, evaluated for one n."""

    def __init__(self, text, n):
        self.tokens = re.findall(r'\d+|n|&&|\|\||==|!=|<=|>=|[-+*/%<>!?:()]', text)
        self.pos = 0
        self.n = n

    def value(self):
        result = self.conditional()
        if self.pos != len(self.tokens):
            raise ValueError('plural rule not understood')
        return result

    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else None

    def take(self):
        self.pos += 1
        return self.tokens[self.pos - 1]

    def conditional(self):
        test = self.binary(0)
        if self.peek() == '?':
            self.take()
            yes = self.conditional()
            if self.take() != ':':
                raise ValueError('plural rule not understood')
            no = self.conditional()
            return yes if test else no
        return test

    LEVELS = [['||'], ['&&'], ['==', '!='], ['<', '>', '<=', '>='], ['+', '-'], ['*', '/', '%']]

    def binary(self, level):
        if level == len(self.LEVELS):
            return self.unary()
        left = self.binary(level + 1)
        while self.peek() in self.LEVELS[level]:
            op = self.take()
            right = self.binary(level + 1)
            left = {
                '||': lambda: int(bool(left) or bool(right)), '&&': lambda: int(bool(left) and bool(right)),
                '==': lambda: int(left == right), '!=': lambda: int(left != right),
                '<': lambda: int(left < right), '>': lambda: int(left > right),
                '<=': lambda: int(left <= right), '>=': lambda: int(left >= right),
                '+': lambda: left + right, '-': lambda: left - right, '*': lambda: left * right,
                '/': lambda: left // right, '%': lambda: left % right,
            }[op]()
        return left

    def unary(self):
        token = self.take()
        if token == '!':
            return int(not self.unary())
        if token == '(':
            inner = self.conditional()
            self.take()
            return inner
        if token == 'n':
            return self.n
        return int(token)
