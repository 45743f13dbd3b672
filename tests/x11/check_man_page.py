#!/usr/bin/env python3
"""The manual page renders without a warning and lists the options that --help lists.

    check_man_page.py MANPAGE ORVESSAN

MANPAGE is the built orvessan.6x (uncompressed), ORVESSAN the program. The options are compared
as (name, argument) pairs in order, and every numeric default that --help gives must be in the
manual page's paragraph for that option. Exit status 0 when all holds, 1 with one line per
problem otherwise.
"""

import re
import shutil
import subprocess
import sys

OPTION = re.compile(r"(--[a-z][a-z-]*)(?: ([A-Za-z]+))?$")
DEFAULT = re.compile(r"\(default:? ([0-9]+)\)")


def help_options(text):
    """{(name, argument): paragraph} from --help: an item line starts with two spaces and a dash,
    its tag ends at the first run of two spaces; the lines below it that start with a blank
    continue it."""
    items, current = {}, None
    for line in text.splitlines():
        if line.startswith("  -"):
            tag, _, rest = line.strip().partition("  ")
            current = []
            for part in tag.split(", "):
                found = OPTION.match(part)
                if found is None:
                    raise ValueError(f"--help: can't read the option {part!r}")
                items[(found.group(1), (found.group(2) or "").lower())] = current
            current.append(rest)
        elif line.startswith("    ") and current is not None:
            current.append(line.strip())
        else:
            current = None
    return {key: " ".join(words) for key, words in items.items()}


def plain(roff):
    """A line of the page's source as text: macro names, quotes and font changes removed."""
    roff = re.sub(r"^\.[A-Z]+ ?", "", roff)
    roff = re.sub(r"\\f[BIRP]", "", roff).replace("\\-", "-").replace("\\(lq", "").replace(
        "\\(rq", "")
    return roff.replace('"', "")


def man_options(source):
    """{(name, argument): paragraph} from the OPTIONS section: the line after each .TP is the
    tag, the lines up to the next .TP or section its paragraph."""
    lines = source.splitlines()
    start = lines.index(".SH OPTIONS")
    items, current = {}, None
    i = start + 1
    while i < len(lines) and not lines[i].startswith(".SH"):
        if lines[i] == ".TP":
            i += 1
            current = []
            for part in plain(lines[i]).split(", "):
                found = OPTION.match(" ".join(part.split()))
                if found is None:
                    raise ValueError(f"manual page: can't read the option {part!r}")
                items[(found.group(1), (found.group(2) or "").lower())] = current
        elif current is not None:
            current.append(plain(lines[i]))
        i += 1
    return {key: " ".join(words) for key, words in items.items()}


def render_problems(page):
    problems = []
    runs = [["groff", "-man", "-ww", "-z", page]]
    if shutil.which("mandoc"):
        runs.append(["mandoc", "-T", "lint", "-W", "warning", page])
    for command in runs:
        done = subprocess.run(command, capture_output=True, text=True)
        said = (done.stdout + done.stderr).strip()
        if done.returncode != 0 or said:
            problems.append(f"{command[0]} warns about the manual page: {said}")
    return problems


def main(argv):
    if len(argv) != 2:
        print("usage: check_man_page.py MANPAGE ORVESSAN", file=sys.stderr)
        return 2
    page, program = argv
    with open(page) as f:
        source = f.read()
    usage = subprocess.run([program, "--help"], check=True, capture_output=True,
                           text=True).stdout
    problems = render_problems(page)
    try:
        in_help, in_man = help_options(usage), man_options(source)
    except ValueError as error:
        problems.append(str(error))
    else:
        if list(in_help) != list(in_man):
            problems.append(f"the options differ: --help lists {list(in_help)}, "
                            f"the manual page {list(in_man)}")
        for key, text in in_help.items():
            for value in DEFAULT.findall(text):
                if key in in_man and f"default {value}" not in in_man[key]:
                    problems.append(f"{key[0]}: --help gives the default {value}, "
                                    f"the manual page says: {in_man[key]}")
    for problem in problems:
        print(f"FAIL: {problem}")
    if not problems:
        print(f"PASS: {len(in_help)} options, in step with --help")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
