#!/usr/bin/env python3
"""Every if, else and loop body in braces, also when it is one statement.

clang-format 14 cannot add braces (it can only remove them), so this keeps the rule:
    scripts/braces.py --check FILE...   lists the bodies without braces, exit status 1 if any
    scripts/braces.py --fix FILE...     adds the braces, then run clang-format -i on the files
A body this script cannot brace safely (a nested unbraced statement, a macro, a comment
between head and body) is listed and left for a person.
"""
import re
import sys

HEAD = re.compile(r'^(\s*)(?:\}\s*)?(?:else\s+)?(?:if|for|while)\s*\(')
ELSE = re.compile(r'^(\s*)(?:\}\s*)?else\s*$')


def depth_change(text):
    """Net opening parentheses of a line, ignoring string and character literals."""
    text = re.sub(r'"(\\.|[^"\\])*"', '""', text)
    text = re.sub(r"'(\\.|[^'\\])*'", "''", text)
    text = text.split('//')[0]
    return text.count('(') - text.count(')')


def head_end(lines, i):
    """Index of the line that closes the head starting at line i, or None for `else`."""
    if ELSE.match(lines[i]):
        return i
    depth = 0
    for j in range(i, min(i + 20, len(lines))):
        depth += depth_change(lines[j])
        if depth <= 0:
            return j
    return None


def statement_end(lines, j):
    """Index of the last line of the one statement starting at line j, or None."""
    depth = 0
    for k in range(j, min(j + 20, len(lines))):
        depth += depth_change(lines[k])
        code = lines[k].split('//')[0].rstrip()
        if depth <= 0 and code.endswith(';'):
            return k
    return None


def unbraced(lines):
    """(head line, head end, body end) of every body without braces."""
    found = []
    for i, line in enumerate(lines):
        if not (HEAD.match(line) or ELSE.match(line)):
            continue
        end = head_end(lines, i)
        if end is None:
            continue
        code = lines[end].split('//')[0].rstrip()
        if code.endswith('{') or code.endswith(';') or end + 1 >= len(lines):
            continue  # braced, or a one-line body/empty loop the reader sees at once
        body = lines[end + 1].strip()
        if body.startswith('{'):
            continue  # brace on the next line: clang-format attaches it
        nested = HEAD.match(lines[end + 1]) or ELSE.match(lines[end + 1])
        if nested or body.startswith('//') or body.startswith('#') or not body:
            found.append((i, end, None))
            continue
        found.append((i, end, statement_end(lines, end + 1)))
    return found


def fix(lines):
    left = []
    for i, end, last in reversed(unbraced(lines)):
        if last is None:
            left.append(i)
            continue
        indent = HEAD.match(lines[i]) or ELSE.match(lines[i])
        lines.insert(last + 1, indent.group(1) + '}')
        code, sep, comment = lines[end].partition('//')
        lines[end] = code.rstrip() + ' {' + (' //' + comment if sep else '')
    return sorted(left)


def main(argv):
    if len(argv) < 3 or argv[1] not in ('--check', '--fix'):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    status = 0
    for path in argv[2:]:
        with open(path, encoding='utf-8') as f:
            lines = f.read().split('\n')
        if argv[1] == '--fix':
            left = fix(lines)
            with open(path, 'w', encoding='utf-8') as f:
                f.write('\n'.join(lines))
        else:
            left = [i for i, _, _ in unbraced(lines)]
        for i in left:
            print(f'{path}:{i + 1}: body without braces')
            status = 1
    return status


if __name__ == '__main__':
    sys.exit(main(sys.argv))
