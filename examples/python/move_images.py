# examples/python/move_images.py: moves every image layer of a page 20
# pixels to the right, writes the page back, and lists the files it refers
# to. Usage: python3 move_images.py PAGE
import sys

import htmlmemdoc

page = htmlmemdoc.Page.read(sys.argv[1])
for layer in page.layers:
    if isinstance(layer, htmlmemdoc.ImageLayer) and layer.left is not None:
        layer.left += 20
        print(f"{layer.id}: now at {layer.left}, {layer.top}")
try:
    page.write(sys.argv[1])  # replaced only once the new file is whole
except htmlmemdoc.WriteRefused as refused:
    print("not written:", refused.reason, *refused.losses, sep="\n  ")
    sys.exit(1)
for name in page.sources():
    print("uses", name)
