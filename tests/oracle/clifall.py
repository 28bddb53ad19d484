"""What the oracle tests of zaq-cli's commands share: the program's path,
whether it knows a command yet, and a test class with a private directory
and settings folder for each class of cases."""

import os
import subprocess
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))


def fehlt(befehl):
    """True while zaq-cli does not know the command yet."""
    r = subprocess.run([CLI, befehl, "--help"], capture_output=True)
    return r.returncode == 2 and "Unbekannter Befehl" in r.stderr.decode("utf-8", "replace")


def lies(pfad):
    with open(pfad, "rb") as f:
        return f.read()


class CliFall(unittest.TestCase):
    """Skips while a command of BEFEHLE is missing; cls.dir is the class's
    directory, cls.config an empty settings folder."""
    maxDiff = 8000
    BEFEHLE = ()

    @classmethod
    def setUpClass(cls):
        if not os.path.exists(CLI):
            raise AssertionError("zaq-cli fehlt: %s" % CLI)
        for b in cls.BEFEHLE:
            if fehlt(b):
                raise unittest.SkipTest("zaq-cli kennt %s noch nicht" % b)
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        cls.config = os.path.join(cls.dir, "config")
        os.makedirs(cls.config)
        cls.zaehler = 0

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()
