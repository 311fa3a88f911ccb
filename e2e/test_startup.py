"""Start-up: the INI beside the executable, and the wait for a running Windows Installer."""
import time

import pytest

from conftest import FIXTURE, windows_path

MINIMAL_INI = """
    [GeneralOptions]
    Options=q
"""


def test_missing_ini_ends_at_once_and_touches_nothing(scenario):
    scenario.install("setup.exe")
    scenario.path("other.ini").write_bytes(b"\xff\xfe")  # not the executable's own name
    before = scenario.files()
    result = scenario.run()
    assert result.code == 0
    assert scenario.files() == before


class InstallerBusy:
    """Holds the Windows Installer mutex from another process for a few seconds."""

    def __init__(self, scenario, seconds):
        self.ready = scenario.path("mutex-held")
        self.released = scenario.path("mutex-released")
        self.process = scenario.wine.start(FIXTURE, "hold-mutex", "Global\\_MSIExecute", int(seconds * 1000),
                                           windows_path(self.ready), windows_path(self.released))
        deadline = time.monotonic() + 30
        while not self.ready.exists():
            assert self.process.poll() is None, "the fixture ended before taking the mutex"
            assert time.monotonic() < deadline, "the fixture never took the mutex"
            time.sleep(0.05)

    def finish(self):
        assert self.process.wait(timeout=60) == 0


@pytest.mark.parametrize("exe, ini", [("setup.exe", "setup.ini"), ("a.b.exe", "a.b.ini")])
def test_run_waits_while_an_installation_holds_the_mutex(scenario, exe, ini):
    scenario.install(exe)
    scenario.write_ini(MINIMAL_INI, name=ini)
    busy = InstallerBusy(scenario, seconds=3)
    result = scenario.run()
    released_before_exit = busy.released.exists()
    busy.finish()
    assert result.code == 0
    assert released_before_exit, "the run ended while the installer mutex was still held"
    assert result.seconds >= 2


def test_missing_ini_does_not_wait_for_the_installer(scenario):
    scenario.install("setup.exe")
    scenario.write_ini(MINIMAL_INI, name="setup.exe.ini")  # the wrong name: not read
    busy = InstallerBusy(scenario, seconds=3)
    result = scenario.run()
    ended_while_held = not busy.released.exists()
    busy.finish()
    assert result.code == 0
    assert ended_while_held, "a run without its INI waited for the installer"
