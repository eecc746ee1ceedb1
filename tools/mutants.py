"""Finds the places in a C++ source text where a one-token fault can be put.

Only code inside function bodies is a candidate: comments, strings, preprocessor lines, code
between #if and #endif (it may not be compiled), declarations at namespace or class level and
template argument lists are left alone.
"""
import re
from dataclasses import dataclass

KEYWORDS = set("""alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class
concept const consteval constexpr constinit const_cast continue co_await co_return co_yield decltype
default delete do double dynamic_cast else enum explicit export extern float for friend goto if inline
int long mutable namespace new noexcept operator private protected public register reinterpret_cast
requires return short signed sizeof static static_assert static_cast struct switch template thread_local
throw try typedef typeid typename union unsigned using virtual void volatile wchar_t while""".split())
VALUE_WORDS = {"this", "true", "false", "nullptr"}

PUNCTUATORS = sorted(""">>= <<= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
{ } [ ] ( ) ; : , . ? + - * / % ^ & | ~ ! = < > #""".split(), key=len, reverse=True)
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9a-zA-Z_.']|'(?=[0-9a-fA-F]))*")
IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")
RAW_PREFIXES = {"R", "u8R", "uR", "UR", "LR"}
STRING_PREFIXES = {"u8", "u", "U", "L"}


@dataclass
class Token:
    kind: str        # id, num, str, op
    text: str
    start: int
    end: int
    guarded: bool    # between #if and #endif


@dataclass(frozen=True)
class Site:
    file: str
    start: int
    end: int
    line: int
    column: int
    operator: str
    original: str
    replacement: str

    def key(self, folder):
        return (folder, self.file, self.line, self.column, self.operator, self.replacement)


def _skip_quoted(text, i, quote):
    i += 1
    while i < len(text) and text[i] != quote:
        i += 2 if text[i] == "\\" else 1
    return i + 1


def _preprocessor_end(text, i):
    while True:
        nl = text.find("\n", i)
        if nl < 0:
            return len(text)
        if text[nl - 1] != "\\":
            return nl
        i = nl + 1


def tokenize(text):
    """Splits C++ text into tokens, dropping comments and preprocessor lines."""
    tokens, i, depth, line_start = [], 0, 0, True
    while i < len(text):
        c = text[i]
        if c == "\n":
            i, line_start = i + 1, True
            continue
        if c.isspace():
            i += 1
            continue
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = len(text) if i < 0 else i
            continue
        if text.startswith("/*", i):
            i = text.index("*/", i + 2) + 2
            continue
        if c == "#" and line_start:
            end = _preprocessor_end(text, i)
            directive = text[i + 1:end].split()
            word = directive[0] if directive else ""
            if word.startswith("if"):
                depth += 1
            elif word == "endif":
                depth -= 1
            i = end
            continue
        line_start = False
        m = IDENT.match(text, i)
        if m:
            word, j = m.group(), m.end()
            if word in RAW_PREFIXES and text.startswith('"', j):
                delimiter = text[j + 1:text.index("(", j)]
                j = text.index(")" + delimiter + '"', j) + len(delimiter) + 2
                tokens.append(Token("str", text[i:j], i, j, depth > 0))
            elif word in STRING_PREFIXES and j < len(text) and text[j] in "\"'":
                j = _skip_quoted(text, j, text[j])
                tokens.append(Token("str", text[i:j], i, j, depth > 0))
            else:
                tokens.append(Token("id", word, i, j, depth > 0))
            i = j
            continue
        m = NUMBER.match(text, i)
        if m:
            tokens.append(Token("num", m.group(), i, m.end(), depth > 0))
            i = m.end()
            continue
        if c in "\"'":
            j = _skip_quoted(text, i, c)
            tokens.append(Token("str", text[i:j], i, j, depth > 0))
            i = j
            continue
        op = next(p for p in PUNCTUATORS if text.startswith(p, i))
        tokens.append(Token("op", op, i, i + len(op), depth > 0))
        i += len(op)
    return tokens


def _match_brackets(tokens):
    """Maps every (, [ and { to its closer and back; lists the tokens directly inside ( or [."""
    pairs, stack, in_parens = {}, [], set()
    for k, t in enumerate(tokens):
        if stack and tokens[stack[-1]].text != "{":
            in_parens.add(k)
        if t.text in "([{" and t.kind == "op":
            stack.append(k)
        elif t.text in ")]}" and t.kind == "op" and stack:
            opener = stack.pop()
            pairs[opener], pairs[k] = k, opener
    return pairs, in_parens


def _opens_function_body(tokens, k):
    """Whether the { at k, outside any function body, starts one."""
    prev = tokens[k - 1].text if k else ""
    if prev in (")", "}", "const", "noexcept", "override", "final", "mutable", "&", "&&"):
        return True
    j = k - 1
    while j > 0 and tokens[j].text not in (";", "{", "}"):
        if tokens[j].text == "->" and tokens[j - 1].text == ")":
            return True    # trailing return type
        j -= 1
    return False


def _body_mask(tokens):
    """True for every token inside a function body (lambdas and blocks included)."""
    mask, stack = [False] * len(tokens), []
    for k, t in enumerate(tokens):
        in_body = bool(stack) and stack[-1]
        if t.kind == "op" and t.text == "{":
            mask[k] = in_body
            stack.append(in_body or _opens_function_body(tokens, k))
        elif t.kind == "op" and t.text == "}":
            if stack:
                stack.pop()
            mask[k] = bool(stack) and stack[-1]
        else:
            mask[k] = in_body
    return mask


TEMPLATE_INNER = {"::", ",", "*", "&", "(", ")", "[", "]", "<", ">", ">>", "...", "-"}


def _template_span(tokens, k):
    """If the < at k opens a template argument list, the index of its closing >, else None."""
    prev = tokens[k - 1] if k else None
    if prev is None or not (prev.kind == "id" and (prev.text not in KEYWORDS or prev.text == "template")):
        return None
    depth, parens = 1, 0
    for j in range(k + 1, min(len(tokens), k + 80)):
        t = tokens[j]
        if t.kind == "op" and t.text not in TEMPLATE_INNER:
            return None
        if t.kind == "str":
            return None
        if t.text == "(":
            parens += 1
        elif t.text == ")":
            parens -= 1
            if parens < 0:
                return None
        elif t.text == "<":
            depth += 1
        elif t.text in (">", ">>"):
            depth -= len(t.text)
            if depth <= 0:
                return j
    return None


def _is_operand_end(tokens, k):
    """Whether tokens[k] can end an operand, making the next + - & etc. a binary operator."""
    t = tokens[k]
    if t.text in ("++", "--") and k > 0:
        return _is_operand_end(tokens, k - 1)    # postfix
    if t.kind in ("num", "str"):
        return True
    if t.kind == "id":
        return t.text not in KEYWORDS or t.text in VALUE_WORDS
    return t.text in (")", "]")


def _off_by_one(literal):
    m = re.fullmatch(r"(0[xX][0-9a-fA-F']+|[1-9][0-9']*|0)([uUlLzZ]*)", literal)
    if not m:
        return []
    digits, suffix = m.group(1).replace("'", ""), m.group(2)
    value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits)
    shown = (lambda v: hex(v)) if digits[:2].lower() == "0x" else str
    out = [shown(value + 1) + suffix]
    if value > 0:
        out.append(shown(value - 1) + suffix)
    return out


FLIP = {"<": ">", ">": "<", "<=": ">=", ">=": "<=", "==": "!=", "!=": "=="}
BOUNDARY = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
ARITHMETIC = {"+": "-", "-": "+", "+=": "-=", "-=": "+=", "++": "--", "--": "++", "/": "*", "*=": "/=",
              "/=": "*="}
LOGIC = {"&&": "||", "||": "&&"}
UNREMOVABLE_CALLS = {"assert", "static_assert"}
STATEMENT_FOLLOWERS = {"(", ".", "->", "[", "=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=",
                       ">>=", "++", "--"}


def _statement_end(tokens, s, pairs):
    """The ; ending the expression statement starting at s, or None if it is not one."""
    first = tokens[s]
    if first.text in ("++", "--", "*"):
        j = s + 1
    elif first.kind == "id" and (first.text not in KEYWORDS or first.text == "this"):
        if first.text in UNREMOVABLE_CALLS:
            return None
        j = s + 1
        while j + 1 < len(tokens) and tokens[j].text == "::" and tokens[j + 1].kind == "id":
            j += 2
        if j >= len(tokens) or tokens[j].text not in STATEMENT_FOLLOWERS:
            return None
    else:
        return None
    while j < len(tokens):
        t = tokens[j].text
        if t == ";":
            return j
        if t in ("{", "}") or t in (")", "]"):
            return None
        if t in ("(", "["):
            if j not in pairs:
                return None
            inner = range(j + 1, pairs[j])
            if any(tokens[x].text in ("{", "}", ";") for x in inner):
                return None
            j = pairs[j]
        j += 1
    return None


def _starts_statement(tokens, s, pairs, in_parens):
    if s in in_parens:
        return False
    prev = tokens[s - 1].text if s else ""
    if prev in (";", "{", "}", "else"):
        return True
    if prev == ")" and s - 1 in pairs:
        opener = pairs[s - 1]
        return opener > 0 and tokens[opener - 1].text in ("if", "while", "for")
    return False


def _condition(tokens, k, pairs):
    """The (first, last) tokens of the condition of the if/while at k, if it can be negated."""
    if k + 1 >= len(tokens) or tokens[k + 1].text != "(" or k + 1 not in pairs:
        return None
    first, last = k + 2, pairs[k + 1] - 1
    if last < first:
        return None
    depth = 0
    for j in range(first, last + 1):
        t = tokens[j].text
        depth += t in ("(", "[", "{")
        depth -= t in (")", "]", "}")
        if depth == 0 and t in ("=", ";"):
            return None
    return first, last


def find_sites(path, text):
    """Every fault this module can put into the function bodies of text."""
    tokens = tokenize(text)
    pairs, in_parens = _match_brackets(tokens)
    body = _body_mask(tokens)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    def site(first, last, operator, replacement):
        start, end = tokens[first].start, tokens[last].end
        line = _line_of(line_starts, start)
        original = text[start:end]
        if callable(replacement):
            replacement = replacement(original)
        return Site(path, start, end, line + 1, start - line_starts[line] + 1, operator,
                    original, replacement)

    sites, in_template = [], set()
    for k, t in enumerate(tokens):
        if t.kind == "op" and t.text == "<" and k not in in_template:
            close = _template_span(tokens, k)
            if close is not None:
                in_template.update(range(k, close + 1))
        if not body[k] or t.guarded or k in in_template or k == 0:
            continue
        prev = tokens[k - 1]
        binary = _is_operand_end(tokens, k - 1)
        if t.kind == "num":
            sites += [site(k, k, "constant", r) for r in _off_by_one(t.text)]
        elif t.kind == "id" and t.text in ("true", "false"):
            sites.append(site(k, k, "constant", "false" if t.text == "true" else "true"))
        elif t.kind == "id" and t.text in ("if", "while"):
            cond = _condition(tokens, k, pairs)
            if cond:
                sites.append(site(*cond, "negate", lambda original: "!(" + original + ")"))
        elif t.kind != "op":
            pass
        elif t.text in FLIP and binary and prev.text != "operator":
            sites.append(site(k, k, "comparison-flip", FLIP[t.text]))
            if t.text in BOUNDARY:
                sites.append(site(k, k, "comparison-boundary", BOUNDARY[t.text]))
        elif t.text in ("++", "--") or (t.text in ARITHMETIC and binary):
            sites.append(site(k, k, "arithmetic", ARITHMETIC[t.text]))
        elif t.text in LOGIC and binary and prev.text not in ("auto", "const"):
            sites.append(site(k, k, "logic", LOGIC[t.text]))
        if _starts_statement(tokens, k, pairs, in_parens) and tokens[k].text not in ("{", "}"):
            end = _statement_end(tokens, k, pairs)
            if end is not None:
                sites.append(site(k, end, "remove", "{}"))
    return sites


def _line_of(line_starts, offset):
    lo, hi = 0, len(line_starts) - 1
    while lo < hi:
        mid = (lo + hi + 1) // 2
        if line_starts[mid] <= offset:
            lo = mid
        else:
            hi = mid - 1
    return lo


def apply(text, site):
    """The text with the fault put in."""
    if text[site.start:site.end] != site.original:
        raise ValueError(f"{site.file}:{site.line}: text differs from the sampled fault")
    return text[:site.start] + site.replacement + text[site.end:]
