"""Scenarios run the shipped 32-bit chainer.exe under Wine, in folders inside the test prefix."""
import os
import pathlib
import shutil
import subprocess
import tempfile
import textwrap
import time
import uuid

import pytest

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "win32"
PREFIX = ROOT / "build" / "wineprefix"
DRIVE_C = PREFIX / "drive_c"
CHAINER = BUILD / "chainer.exe"
FIXTURE = BUILD / "fixture.exe"

WINE_ENV = dict(os.environ, WINEPREFIX=str(PREFIX), WINEARCH="win64", WINEDEBUG="-all",
                WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
WINE_ENV.pop("DISPLAY", None)


def windows_path(path):
    """The Windows name of a path below the prefix's drive C."""
    relative = pathlib.Path(path).resolve().relative_to(DRIVE_C.resolve())
    return "C:\\" + "\\".join(relative.parts)


def unix_path(path):
    """The file below the prefix's drive C that a Windows path (C:\\...) names."""
    assert path[:3].upper() == "C:\\", path
    return DRIVE_C.joinpath(*[part for part in path[3:].split("\\") if part])


def signed_exit(code):
    """Wine hands the shell the exit code modulo 256: 255 is the chainer's -1."""
    return code - 256 if code > 127 else code


def ini_bytes(text):
    """UTF-16 little-endian with byte-order mark and CR LF line ends, as setup authors ship it."""
    text = textwrap.dedent(text).lstrip("\n").replace("\r\n", "\n").replace("\n", "\r\n")
    return b"\xff\xfe" + text.encode("utf-16-le")


class Result:
    def __init__(self, code, output, seconds):
        self.code = signed_exit(code)
        self.output = output
        self.seconds = seconds


class Wine:
    """Runs programs in the prefix. Output always goes through a file: a pipe would be
    inherited by Wine's background services and keep the harness waiting."""

    def run(self, *args, timeout=60, cwd=None, env=None):
        with tempfile.TemporaryFile() as out:
            start = time.monotonic()
            completed = subprocess.run(["timeout", "-k", "5", str(timeout), "wine", *map(str, args)],
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                       env=dict(WINE_ENV, **(env or {})), cwd=cwd)
            seconds = time.monotonic() - start
            out.seek(0)
            output = out.read().decode("utf-8", "replace")
        if completed.returncode in (124, 137):
            pytest.fail(f"wine {args} did not end within {timeout} s:\n{output}")
        return Result(completed.returncode, output, seconds)

    def start(self, *args):
        """Starts a program in the background; the caller waits for the returned process."""
        log = tempfile.TemporaryFile()
        return subprocess.Popen(["timeout", "-k", "5", "120", "wine", *map(str, args)],
                                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, env=WINE_ENV)


@pytest.fixture(scope="session")
def wine():
    if not CHAINER.exists():
        pytest.fail(f"{CHAINER} is missing: run make test")
    return Wine()


class Scenario:
    """A fresh folder inside the prefix with a copy of the chainer under the name a test wants."""

    def __init__(self, wine, folder):
        self.wine = wine
        self.folder = folder
        self.exe = None

    def path(self, *parts):
        return self.folder.joinpath(*parts)

    def install(self, name="setup.exe", subfolder="", program=CHAINER):
        """Copies the chainer (or another built program) into the scenario folder."""
        target = self.folder / subfolder / name if subfolder else self.folder / name
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(program, target)
        self.exe = target
        return target

    def write_ini(self, text, name=None):
        """Writes the INI beside the chainer (its base name unless another name is given)."""
        target = self.exe.parent / (name or (self.exe.stem + ".ini"))
        target.write_bytes(ini_bytes(text))
        return target

    def run(self, *args, timeout=60, cwd=None):
        """Runs the installed chainer (with arguments, which it ignores); Wine starts in `cwd`
        (a host path) when given."""
        return self.wine.run(windows_path(self.exe), *args, timeout=timeout, cwd=cwd)

    def files(self):
        return sorted(str(p.relative_to(self.folder)) for p in self.folder.rglob("*"))


def wait_until(condition, timeout):
    """Polls the condition until it holds or the time is up; returns its last value."""
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            return condition()
        time.sleep(0.1)
    return True


@pytest.fixture(scope="session")
def temp_folder(wine):
    """The prefix's temporary folder, as the programs in it see it."""
    result = wine.run(FIXTURE, "temp-folder")
    assert result.code == 0, result.output
    return unix_path(result.output.strip().splitlines()[-1])


class SelfDeleteBatches:
    """The hidden batch files (EXE*.tmp.bat in the temporary folder) with which a run deletes
    its executable and folders. Each deletes itself once its target is gone; one whose target
    never goes keeps looping, hidden."""

    def __init__(self, folder):
        self.folder = folder
        self.before = self.present()

    def present(self):
        return set(self.folder.glob("EXE*.tmp.bat"))

    def new(self):
        """Batch files written since the test began that have not ended yet."""
        return self.present() - self.before

    def describe(self):
        return {path.name: path.read_bytes() for path in self.new() if path.exists()}


@pytest.fixture
def batches(scenario, temp_folder, wine):
    """Watches the batch files of one scenario. At the end the scenario's folder goes first,
    which ends every batch whose target lay in it; one still running after that is killed and
    fails the test."""
    watch = SelfDeleteBatches(temp_folder)
    yield watch
    shutil.rmtree(scenario.folder, ignore_errors=True)
    if not wait_until(lambda: not watch.new(), timeout=30):
        left = watch.describe()
        wine.run("taskkill", "/f", "/im", "cmd.exe")
        pytest.fail(f"self-deleting batch files still running after the test: {left}")


@pytest.fixture
def scenario(wine, request):
    name = "".join(c if c.isalnum() else "-" for c in request.node.name)[:40]
    folder = DRIVE_C / "scenarios" / f"{name}-{uuid.uuid4().hex[:8]}"
    folder.mkdir(parents=True)
    yield Scenario(wine, folder)
    shutil.rmtree(folder, ignore_errors=True)


DEFAULT_WINDOWS_VERSION = "win7"


@pytest.fixture(scope="module")
def windows_version(wine):
    """Makes the prefix report another Windows version (`winecfg -v`, effective for the next
    process). The default comes back once the module's tests are done, whatever their outcome
    (winecfg takes seconds here, so not after every test). The setting belongs to the whole
    prefix, so only scenarios (which run one at a time) may use it, and every test of such a
    module sets the version it needs."""

    def set_version(name):
        result = wine.run("winecfg", "-v", name)
        assert result.code == 0, f"winecfg -v {name} failed:\n{result.output}"

    try:
        yield set_version
    finally:
        set_version(DEFAULT_WINDOWS_VERSION)
