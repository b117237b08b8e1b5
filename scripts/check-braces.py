#!/usr/bin/env python3
"""Fails when a control statement of a C or C++ file has a body without braces.

The files are formatted by .clang-format first, so that a control statement
with braces ends its head with "{": the head of every if, for, while and
else (once its parentheses close) must end so. One brace style throughout:
braces on every body, also a one-line one.
"""
import re
import subprocess
import sys

HEAD = re.compile(r"^\s*(?:\}\s*)?(?:else\s+)?(if|for|while|switch)\s*(?:constexpr\s*)?\(")
ELSE = re.compile(r"^\s*(?:\}\s*)?else\s*$")


def code_of(line):
    """The line without its string and character literals and its // comment."""
    line = re.sub(r'"(?:\\.|[^"\\])*"', '""', line)
    line = re.sub(r"'(?:\\.|[^'\\])*'", "''", line)
    return line.split("//", 1)[0].rstrip()


def check(path):
    problems = []
    with open(path, encoding="utf-8", errors="replace") as source:
        lines = source.read().split("\n")
    in_block_comment = False
    index = 0
    while index < len(lines):
        line = lines[index]
        if in_block_comment:
            in_block_comment = "*/" not in line
            index += 1
            continue
        if line.lstrip().startswith("/*") and "*/" not in line:
            in_block_comment = True
            index += 1
            continue
        code = code_of(line)
        start = index
        if ELSE.match(code):
            problems.append((start + 1, line.strip()))
        elif HEAD.match(code):
            depth = 0
            seen = False
            while True:
                for c in code:
                    if c == "(":
                        depth += 1
                        seen = True
                    elif c == ")":
                        depth -= 1
                if (seen and depth <= 0) or index + 1 >= len(lines):
                    break
                index += 1
                code = code_of(lines[index])
            # "while (...);" closes a do-while loop.
            if not code.endswith("{") and not code.endswith(");"):
                problems.append((start + 1, line.strip()))
        index += 1
    return problems


def main():
    files = subprocess.run(["git", "ls-files", "*.c", "*.cpp", "*.h"], check=True,
                           capture_output=True, text=True).stdout.split()
    failed = False
    for path in files:
        for number, text in check(path):
            print(f"{path}:{number}: a body without braces: {text}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
