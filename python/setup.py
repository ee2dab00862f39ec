"""Builds htmlmemdoc._core from the library's sources in the tree above.

The source lists are the files the CMake build reads too (the library's
htmlmemdoc/sources.txt and each room's htmlmemdoc/pages/*/sources.txt), and
the version comes from CMakeLists.txt, so the package and the library are
one.
"""

import os
import re
from concurrent.futures import ThreadPoolExecutor

import pybind11
from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def listed_sources(path):
    """The sources a sources.txt lists, one per line, "#" lines aside."""
    lines = read(path).splitlines()
    return [os.path.join(ROOT, line.strip()) for line in lines
            if line.strip() and not line.startswith("#")]


VERSION = re.search(r"project\(htmlmemdoc\s+VERSION\s+([0-9.]+)",
                    read("CMakeLists.txt")).group(1)
GENERATED = os.path.join(HERE, "build", "include")
ROOMS = ("text", "page", "site", "export", "report")  # the services layer, in order


def write_version_header():
    major, minor, patch = VERSION.split(".")
    text = read("htmlmemdoc/version.h.in")
    for name, value in (("PROJECT_VERSION_MAJOR", major),
                        ("PROJECT_VERSION_MINOR", minor),
                        ("PROJECT_VERSION_PATCH", patch),
                        ("PROJECT_VERSION", VERSION)):
        text = text.replace("@" + name + "@", value)
    os.makedirs(os.path.join(GENERATED, "htmlmemdoc"), exist_ok=True)
    with open(os.path.join(GENERATED, "htmlmemdoc", "version.h"), "w",
              encoding="utf-8") as f:
        f.write(text)


class BuildOnAllCores(build_ext):
    """Compiles the extension's sources on all cores (build_ext alone
    compiles one extension's files one after another)."""

    def run(self):
        write_version_header()
        super().run()

    def build_extension(self, ext):
        compile_one = self.compiler.compile

        def compile_all(sources, output_dir=None, *args, **kwargs):
            # The object folders first: making them is not safe from threads.
            for obj in self.compiler.object_filenames(sources,
                                                      output_dir=output_dir):
                os.makedirs(os.path.dirname(obj), exist_ok=True)
            kwargs["output_dir"] = output_dir
            with ThreadPoolExecutor(os.cpu_count() or 1) as pool:
                parts = pool.map(
                    lambda source: compile_one([source], *args, **kwargs), sources)
                return [obj for objects in parts for obj in objects]

        self.compiler.compile = compile_all
        try:
            super().build_extension(ext)
        finally:
            self.compiler.compile = compile_one


SOURCES = (sorted(os.path.join(HERE, "src", name)
                  for name in os.listdir(os.path.join(HERE, "src"))
                  if name.endswith(".cpp"))
           + listed_sources("htmlmemdoc/sources.txt")
           + [source for room in ROOMS
              for source in listed_sources(f"htmlmemdoc/pages/{room}/sources.txt")])

setup(
    version=VERSION,
    ext_modules=[
        Extension(
            "htmlmemdoc._core",
            sources=[os.path.relpath(s, HERE) for s in SOURCES],
            include_dirs=[ROOT, GENERATED, pybind11.get_include()],
            define_macros=[("HTMLMEMDOC_STATIC", None)],
            extra_compile_args=["-std=c++17", "-O2", "-fvisibility=hidden"],
            language="c++",
        )
    ],
    cmdclass={"build_ext": BuildOnAllCores},
)
