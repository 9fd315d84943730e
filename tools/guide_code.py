"""Writes the code block of docs/frontend.md that begins with a comment naming
a file ("/* skeleton.c: ..."), so that the guide's skeleton is compiled as it
stands. Usage: guide_code.py GUIDE NAME OUT."""
import re
import sys

guide, name, out = sys.argv[1:4]
with open(guide) as f:
    text = f.read()
match = re.search(r"```c\n(/\* %s:.*?)```" % re.escape(name), text, re.S)
if match is None:
    sys.exit("%s has no code block for %s" % (guide, name))
with open(out, "w") as f:
    f.write(match.group(1))
