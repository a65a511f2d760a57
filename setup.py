"""Builds the extension sentralign._sentralign with the project's CMake, for
the interpreter that runs this script; the rest of the package is plain
Python under python/sentralign."""

import os
import pathlib
import re
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = pathlib.Path(__file__).resolve().parent


def project_version():
    """The version, kept in one place: the project() line of CMakeLists.txt."""
    text = (SOURCE / "CMakeLists.txt").read_text()
    return re.search(r"project\(sentralign VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    """Configures and builds the target _sentralign, then puts the module where
    setuptools expects it."""

    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        build.mkdir(parents=True, exist_ok=True)
        subprocess.run(
            ["cmake", "-S", str(SOURCE), "-B", str(build),
             "-DCMAKE_BUILD_TYPE=Release", f"-DPython_EXECUTABLE={sys.executable}",
             "-DBUILD_TESTING=OFF", "-DSENTRALIGN_BENCH=OFF"],
            check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "--target", "_sentralign",
                        "-j", jobs], check=True)
        built = next((build / "python" / "sentralign").glob("_sentralign*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(target))


setup(version=project_version(),
      ext_modules=[Extension("sentralign._sentralign", sources=[])],
      # Away from build/, which is the CMake build of make build.
      options={"build": {"build_base": "build-python"}},
      cmdclass={"build_ext": CMakeBuild})
