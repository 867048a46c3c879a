"""Makes every picture of the program into res/art (or the folder given):
runs build(out_dir) of each *_art.py beside this file."""
import glob
import importlib.util
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "res", "art")
os.makedirs(out, exist_ok=True)
sys.path.insert(0, here)
for script in sorted(glob.glob(os.path.join(here, "*_art.py"))):
    spec = importlib.util.spec_from_file_location(os.path.basename(script)[:-3], script)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    module.build(out)
