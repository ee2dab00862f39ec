# examples/python/site_files.py: the files the pages below a folder show
# (images, embeds, backgrounds, sounds: page.sources(); for every
# reference, links and movies too, see htmlmemdoc.site.scan), each with the
# number of pages naming it; pages that do not read are named on standard
# error. Usage: python3 site_files.py FOLDER
import collections
import pathlib
import sys

import htmlmemdoc

uses = collections.Counter()
for path in sorted(pathlib.Path(sys.argv[1]).rglob("*.htm")):
    try:
        page = htmlmemdoc.Page.read(str(path))
    except htmlmemdoc.PageSyntaxError as error:
        print(f"{path}:{error.line}:{error.column}: {error}", file=sys.stderr)
        continue
    uses.update(page.sources())
for name, pages in sorted(uses.items()):
    print(f"{pages:4} {name}")
